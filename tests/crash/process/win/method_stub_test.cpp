#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "crash/process/win/method_stub.h"

namespace palvetta {
namespace {

struct TStubObject {
  uintptr_t Seen[4] = {};
  void* Self = nullptr;
};

intptr_t RecordArguments(void* object, uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d) {
  auto* target = static_cast<TStubObject*>(object);
  target->Self = object;
  target->Seen[0] = a;
  target->Seen[1] = b;
  target->Seen[2] = c;
  target->Seen[3] = d;
  return static_cast<intptr_t>(a + b + c + d);
}

intptr_t Throw(void*, uintptr_t a, uintptr_t, uintptr_t, uintptr_t) { throw std::runtime_error(std::to_string(a)); }

using TCallback = intptr_t (*)(uintptr_t, uintptr_t, uintptr_t, uintptr_t);

TEST(MethodStubWin, CallsTheTargetWithTheObjectFirst) {
  TStubObject object;
  TMethodStub stub(&object, RecordArguments);
  ASSERT_TRUE(stub);
  const auto callback = reinterpret_cast<TCallback>(stub.Code());
  EXPECT_EQ(callback(1, 0x20, 0x300, 0x4000000000), 0x4000000321);
  EXPECT_EQ(object.Self, &object);
  EXPECT_EQ(object.Seen[0], 1u);
  EXPECT_EQ(object.Seen[1], 0x20u);
  EXPECT_EQ(object.Seen[2], 0x300u);
  EXPECT_EQ(object.Seen[3], 0x4000000000u);

  // The stub is a window procedure too.
  auto windowProcedure = reinterpret_cast<WNDPROC>(stub.Code());
  windowProcedure(reinterpret_cast<HWND>(5), WM_USER, 6, 7);
  EXPECT_EQ(object.Seen[1], static_cast<uintptr_t>(WM_USER));
}

TEST(MethodStubWin, ExceptionsUnwindThroughTheStub) {
  TMethodStub stub(nullptr, Throw);
  const auto callback = reinterpret_cast<TCallback>(stub.Code());
  try {
    callback(42, 0, 0, 0);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "42");
  }
  TMethodStub moved = std::move(stub);
  EXPECT_FALSE(stub);
  EXPECT_TRUE(moved);
}

}  // namespace
}  // namespace palvetta
