#include "crash/process/stackward_exception.h"

#include <gtest/gtest.h>

#include <vector>

#include "crash/process/crash_types.h"

namespace palvetta {
namespace {

std::vector<std::string> destroyed;

void NoteDestroyed(const TStackwardException* exception) noexcept { destroyed.push_back(exception->Message); }

TEST(StackwardException, InnerExceptionGoesFirstAndEachIsAnnounced) {
  destroyed.clear();
  SetExceptionDestroyedNotification(NoteDestroyed);
  {
    TStackwardException outer("outer");
    outer.InnerException = std::make_unique<TStackwardException>("inner");
    EXPECT_STREQ(outer.what(), "outer");
  }
  SetExceptionDestroyedNotification(nullptr);
  { TStackwardException unannounced("quiet"); }
  EXPECT_EQ(destroyed, (std::vector<std::string>{"inner", "outer"}));
}

TEST(StackwardException, CaughtAsAStandardException) {
  try {
    throw TStackwardException("failed");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "failed");
  }
}

TEST(ExceptionRecord, RunTimeParameters) {
  TExceptionRecord record{};
  int object = 0;
  record.ExceptionInformation[0] = reinterpret_cast<uintptr_t>(&record);
  record.ExceptionInformation[1] = reinterpret_cast<uintptr_t>(&object);
  EXPECT_EQ(record.ExceptAddr(), &record);
  EXPECT_EQ(record.ExceptObject(), &object);
  static_assert(sizeof(record.ExceptionAddress) == sizeof(void*));
}

}  // namespace
}  // namespace palvetta
