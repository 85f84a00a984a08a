#include "crash/process/win/thread_names.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "base/number_text.h"

namespace palvetta {
namespace {

std::u16string Id(DWORD threadId) { return CardToHexPadW(threadId); }

// A thread that waits until told to end.
class TParkedThread {
 public:
  TParkedThread() : FThread([this] {
    FId = GetCurrentThreadId();
    while (!FStop) Sleep(1);
  }) {
    while (FId == 0) Sleep(1);
  }
  ~TParkedThread() { End(); }
  void End() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
  }
  DWORD Id() const { return FId; }

 private:
  std::atomic<DWORD> FId{0};
  std::atomic<bool> FStop{false};
  std::thread FThread;
};

class ThreadNames : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(AttachThreadNames()); }
  void TearDown() override { DetachThreadNames(); }
};

TEST_F(ThreadNames, NamesClassesAndRemoval) {
  TParkedThread worker;
  const DWORD id = worker.Id();
  EXPECT_EQ(ThreadCaption(id, false).Caption, u"thread " + Id(id));

  SetThreadName(id, u"Worker \u2603");  // not in the ANSI code page: kept as UTF-16
  EXPECT_EQ(ThreadCaption(id, false).Caption, u"Worker \u2603 (" + Id(id) + u")");
  EXPECT_EQ(RegisteredThreadName(id), u"Worker \u2603");

  // Only a class name and a creator: the name stays.
  static int creator;
  SetThreadEntry(id, nullptr, u"", 77, &creator, u"TPool");
  const TThreadCaption caption = ThreadCaption(id, false);
  EXPECT_EQ(caption.Caption, u"Worker \u2603 (" + Id(id) + u")");
  EXPECT_EQ(caption.CreatorAddress, &creator);
  EXPECT_EQ(caption.CreatorThreadId, 77u);

  SetThreadName(id, u"-");
  EXPECT_EQ(ThreadCaption(id, false).Caption, u"");
  EXPECT_EQ(ThreadCaption(id, true).Caption, u"thread " + Id(id) + u" (TPool)");

  SetThreadEntry(id, nullptr, u"", 0, nullptr, u"");  // nothing given: removal
  EXPECT_EQ(ThreadCaption(id, true).Caption, u"thread " + Id(id));
}

TEST_F(ThreadNames, TheReportersOwnThreadsAreHidden) {
  TParkedThread worker;
  SetThreadName(worker.Id(), u"Stackward - HandleExceptionThread");
  EXPECT_EQ(ThreadCaption(worker.Id(), false).Caption, u"");
  EXPECT_EQ(ThreadCaption(worker.Id(), true).Caption, u"Stackward - HandleExceptionThread (" + Id(worker.Id()) + u")");
}

TEST_F(ThreadNames, AnEndedThreadsEntryGoesWithTheNextCall) {
  TParkedThread ended;
  const DWORD endedId = ended.Id();
  SetThreadName(endedId, u"Short-lived");
  ended.End();
  EXPECT_EQ(RegisteredThreadName(endedId), u"Short-lived");
  SetThreadName(GetCurrentThreadId(), u"Main");
  EXPECT_EQ(RegisteredThreadName(endedId), u"");
  EXPECT_EQ(RegisteredThreadName(GetCurrentThreadId()), u"Main");
}

// A DLL with its own copy of the registry code shares the program's registry.
TEST_F(ThreadNames, SharedWithAnotherModule) {
  const HMODULE dll = LoadLibraryA(PALVETTA_THREAD_NAMES_DLL);
  ASSERT_TRUE(dll);
  const auto attach = reinterpret_cast<bool (*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllAttachThreadNames")));
  const auto detach = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllDetachThreadNames")));
  const auto setEntry = reinterpret_cast<void (*)(DWORD, const char16_t*, const char16_t*)>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllSetThreadEntry")));
  const auto caption = reinterpret_cast<int (*)(DWORD, char16_t*, int)>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllThreadCaption")));
  ASSERT_TRUE(attach && detach && setEntry && caption);
  ASSERT_TRUE(attach());

  TParkedThread first;
  TParkedThread second;
  setEntry(first.Id(), u"Named in the DLL", u"");
  EXPECT_EQ(ThreadCaption(first.Id(), false).Caption, u"Named in the DLL (" + Id(first.Id()) + u")");
  EXPECT_NE(ThreadCaption(first.Id(), false).CreatorAddress, nullptr);

  SetThreadEntry(second.Id(), nullptr, u"", 0, nullptr, u"TFromProgram");
  char16_t buffer[128];
  caption(second.Id(), buffer, 128);
  EXPECT_EQ(std::u16string(buffer), u"thread " + Id(second.Id()) + u" (TFromProgram)");

  detach();  // the program is still attached: the entries stay
  EXPECT_EQ(RegisteredThreadName(first.Id()), u"Named in the DLL");
  FreeLibrary(dll);
}

}  // namespace
}  // namespace palvetta

namespace palvetta {
namespace {

// The registry's shared block and an entry as a module of an older build writes it:
// only the id, the name and the link.
struct TSharedBlockView {
  HANDLE FreezeMutex;
  HANDLE ListMutex;
  void* Head;
};
struct TShortEntry {
  DWORD ThreadId;
  char* Name;
  void* Next;
};

TEST_F(ThreadNames, ShortEntriesOfOtherModulesAreReadWithinTheirSize) {
  const std::string mappingName = "StackwardThreadNameBuf" + CardToHexPadA(GetCurrentProcessId());
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, mappingName.c_str());
  ASSERT_TRUE(mapping);
  auto* shared = static_cast<TSharedBlockView*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_TRUE(shared);

  TParkedThread worker;
  auto* name = static_cast<char*>(LocalAlloc(LMEM_FIXED, 4));
  std::memcpy(name, "Old", 4);
  auto* entry = static_cast<TShortEntry*>(LocalAlloc(LMEM_FIXED, sizeof(TShortEntry)));
  *entry = {worker.Id(), name, nullptr};
  WaitForSingleObject(shared->ListMutex, INFINITE);
  entry->Next = shared->Head;
  shared->Head = entry;
  ReleaseMutex(shared->ListMutex);

  const TThreadCaption caption = ThreadCaption(worker.Id(), false);
  EXPECT_EQ(caption.Caption, u"Old (" + Id(worker.Id()) + u")");
  EXPECT_EQ(caption.CreatorAddress, nullptr);  // not in a short entry
  EXPECT_EQ(caption.CreatorThreadId, 0u);

  // A change takes the short entry's name over into a full one.
  SetThreadEntry(worker.Id(), nullptr, u"", 0, nullptr, u"TUpgraded");
  EXPECT_EQ(ThreadCaption(worker.Id(), true).Caption, u"Old (" + Id(worker.Id()) + u")");
  SetThreadEntry(worker.Id(), nullptr, u"", 0, nullptr, u"");
  EXPECT_EQ(RegisteredThreadName(worker.Id()), u"");

  UnmapViewOfFile(shared);
  CloseHandle(mapping);
}

}  // namespace
}  // namespace palvetta
