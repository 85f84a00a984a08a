// Traces of real threads of this program, named through its embedded symbol map.
#include <windows.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "crash/disasm/win/safe_memory.h"
#include "crash/stack/win/stack_walk.h"
#include "crash/stack/win/thread_stack.h"

// The functions the traces must show, outside any namespace for plain names. Each does
// something after its call so that the call is no tail call.
std::atomic<bool> gKeepSpinning{true};
std::atomic<int> gReady{0};
HANDLE gRecursionDone = nullptr;

extern "C" __attribute__((noinline)) int StackTestSleepDeep(int depth) {
  if (depth > 0) return StackTestSleepDeep(depth - 1) + 1;
  ++gReady;
  SleepEx(INFINITE, TRUE);
  return 0;
}

extern "C" __attribute__((noinline)) int StackTestHoldLoaderLock() {
  const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  auto* lock = *reinterpret_cast<CRITICAL_SECTION* const*>(peb + 0x110);
  EnterCriticalSection(lock);
  ++gReady;
  SleepEx(INFINITE, TRUE);
  LeaveCriticalSection(lock);
  return 1;
}

extern "C" __attribute__((noinline)) int StackTestSpin() {
  ++gReady;
  int turns = 0;
  while (gKeepSpinning) ++turns;
  return turns;
}

extern "C" __attribute__((noinline)) int StackTestRecurse(int depth) {
  if (depth > 0) return StackTestRecurse(depth - 1) + 1;
  ++gReady;
  WaitForSingleObject(gRecursionDone, INFINITE);
  return 0;
}

extern "C" __attribute__((noinline)) int StackTestFault(volatile int* where) {
  *where = 1;
  return 1;
}

extern "C" __attribute__((noinline)) int StackTestWorkerCrashes() { return StackTestFault(nullptr) + 1; }

// A real return address inside this function, for the seeded stack.
extern "C" __attribute__((noinline)) uint64_t StackTestReturnAddress() {
  return reinterpret_cast<uint64_t>(__builtin_extract_return_addr(__builtin_return_address(0)));
}
extern "C" __attribute__((noinline)) uint64_t StackTestCallSite() { return StackTestReturnAddress() + 0; }

namespace palvetta {
namespace {

DWORD WINAPI SleepingThread(void*) { return static_cast<DWORD>(StackTestSleepDeep(3)); }
DWORD WINAPI LockingThread(void*) { return static_cast<DWORD>(StackTestHoldLoaderLock()); }
DWORD WINAPI SpinningThread(void*) { return static_cast<DWORD>(StackTestSpin()); }
DWORD WINAPI RecursingThread(void*) { return static_cast<DWORD>(StackTestRecurse(40)); }
void CALLBACK WakeUp(ULONG_PTR) {}

// A thread started on proc, waited for until it is where the test wants it.
class TTestThread {
 public:
  explicit TTestThread(LPTHREAD_START_ROUTINE proc) {
    const int before = gReady;
    FHandle = CreateThread(nullptr, 0, proc, nullptr, 0, &FId);
    while (gReady == before) Sleep(1);
    Sleep(50);  // into the wait itself
  }
  ~TTestThread() {
    WaitForSingleObject(FHandle, INFINITE);
    CloseHandle(FHandle);
  }
  HANDLE Handle() const { return FHandle; }
  DWORD Id() const { return FId; }

 private:
  HANDLE FHandle = nullptr;
  DWORD FId = 0;
};

size_t CountOf(const TStackText& text, const std::string& name) {
  size_t count = 0;
  for (const TStackItem& item : text.Items)
    if (item.FunctionName.find(name) != std::string::npos) ++count;
  return count;
}

TEST(StackTrace, ThreadInSleepShowsItsFunctionsWithLines) {
  TTestThread thread(SleepingThread);
  const TStackText text = TraceThreadStack(thread.Id(), {true, false, false});
  QueueUserAPC(WakeUp, thread.Handle(), 0);
  SCOPED_TRACE(text.Text);
  // Four calls deep, shown once: the call of SleepEx and the recursive call.
  EXPECT_EQ(CountOf(text, "StackTestSleepDeep"), 2u);
  EXPECT_TRUE(text.HasLines);
  for (const TStackItem& item : text.Items)
    if (item.FunctionName.find("StackTestSleepDeep") != std::string::npos) {
      EXPECT_EQ(item.ModuleName, "crash_stack_win_tests.exe");
      EXPECT_GT(item.relLine, 0);
    }
}

TEST(StackTrace, ThreadHoldingTheLoaderLockIsScanned) {
  // Captured while the lock is held; named (which needs the loader) once it is free.
  std::vector<TStackCandidate> candidates(1024);
  size_t count = 0;
  {
    TTestThread thread(LockingThread);
    count = CaptureThreadStack(thread.Handle(), candidates);
    QueueUserAPC(WakeUp, thread.Handle(), 0);
  }
  const TStackText text = AnalyseCapturedStack(std::span(candidates).first(count), {}).Stack;
  SCOPED_TRACE(text.Text);
  EXPECT_GE(CountOf(text, "StackTestHoldLoaderLock"), 1u);
  EXPECT_GE(CountOf(text, "LockingThread"), 1u);
}

TEST(StackTrace, SuspendedBusyThread) {
  gKeepSpinning = true;
  TTestThread thread(SpinningThread);
  const TStackText text = TraceThreadStack(thread.Id(), {false, true, true});
  gKeepSpinning = false;
  SCOPED_TRACE(text.Text);
  // Wherever it was stopped (perhaps in an inline helper of the loop), the loop's frame shows.
  EXPECT_EQ(CountOf(text, "StackTestSpin"), 1u);
  EXPECT_EQ(CountOf(text, "SpinningThread"), 1u);
}

TEST(StackTrace, DeepRecursionIsShownOnce) {
  gRecursionDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  TTestThread thread(RecursingThread);
  std::vector<TStackCandidate> candidates(1024);
  size_t count = 0;
  {
    HANDLE handle = thread.Handle();
    count = CaptureThreadStack(handle, candidates);
  }
  const TStackText text = AnalyseCapturedStack(std::span(candidates).first(count), {}).Stack;
  SetEvent(gRecursionDone);
  SCOPED_TRACE(text.Text);
  EXPECT_EQ(CountOf(text, "StackTestRecurse"), 2u);  // the innermost call and the recursive one
  EXPECT_EQ(CountOf(text, "RecursingThread"), 1u);
  CloseHandle(gRecursionDone);
}

// Two threads that trace each other at the same time both finish.
std::atomic<DWORD> gPeer[2];
std::atomic<int> gTraced{0};
DWORD WINAPI MutualTracer(void* parameter) {
  const auto self = reinterpret_cast<uintptr_t>(parameter);
  gPeer[self] = GetCurrentThreadId();
  while (gPeer[1 - self] == 0) Sleep(0);
  for (int i = 0; i < 20; ++i)
    if (!TraceThreadStack(gPeer[1 - self], TStackLineOptions{}).Items.empty()) ++gTraced;
  return 0;
}

TEST(StackTrace, ThreadsTracingEachOther) {
  HANDLE threads[2];
  for (uintptr_t i = 0; i < 2; ++i) threads[i] = CreateThread(nullptr, 0, MutualTracer, reinterpret_cast<void*>(i), 0, nullptr);
  EXPECT_EQ(WaitForMultipleObjects(2, threads, TRUE, 60000), WAIT_OBJECT_0);
  for (HANDLE thread : threads) CloseHandle(thread);
  EXPECT_GT(gTraced.load(), 0);
}

TEST(StackTrace, SameStackSameChecksums) {
  TTestThread first(SleepingThread);
  TTestThread second(SleepingThread);
  const TStackText a = TraceThreadStack(first.Id(), {true, false, false});
  const TStackText b = TraceThreadStack(second.Id(), {true, false, false});
  const TStackText again = TraceThreadStack(first.Id(), {true, true, true});
  QueueUserAPC(WakeUp, first.Handle(), 0);
  QueueUserAPC(WakeUp, second.Handle(), 0);
  SCOPED_TRACE(a.Text + "\n" + b.Text);
  ASSERT_FALSE(a.Items.empty());
  EXPECT_EQ(a.Checksum1, b.Checksum1);
  EXPECT_EQ(a.Checksum2, b.Checksum2);
  EXPECT_EQ(a.Checksum2, again.Checksum2);
}

TEST(StackTrace, ScanOfADamagedStackSkipsFakeReturnAddresses) {
  const uint64_t real = StackTestCallSite();
  const uint64_t fakes[] = {reinterpret_cast<uint64_t>(&StackTestSpin),
                            reinterpret_cast<uint64_t>(&StackTestRecurse) + 1, real + 1, 0x12345678};
  // No unwind data covers the current address: everything comes from the scan.
  alignas(16) uint64_t stack[12] = {fakes[0], fakes[1], 7, real, fakes[2], fakes[3], 0, real, 0, 0, 0, 0};
  CONTEXT context{};
  context.Rip = 0x10;
  context.Rsp = reinterpret_cast<uint64_t>(stack);
  const TStackRange range{context.Rsp, context.Rsp + sizeof stack};
  TStackCandidate out[16];
  const size_t count = WalkStack(context, range, TSafeReader(), TImageCodeRanges(), out);
  ASSERT_EQ(count, 3u);  // the two real ones (one recursion echo removed leaves one) and the top
  size_t valid = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!out[i].Valid) continue;
    ++valid;
    for (const uint64_t fake : fakes) EXPECT_NE(out[i].AfterInstr, fake);
  }
  EXPECT_EQ(valid, 2u);
  EXPECT_EQ(out[count - 1].AfterInstr, 0x10u);
  // Named as if the fault had happened at the start of the function the real frame called:
  // the scanned frame chains to it, the fakes chain to nothing.
  out[count - 1].AfterInstr = reinterpret_cast<uint64_t>(&StackTestReturnAddress);
  const TStackText text = AnalyseCapturedStack(std::span(out).first(count), {}).Stack;
  SCOPED_TRACE(text.Text);
  EXPECT_EQ(CountOf(text, "StackTestCallSite"), 1u);
  EXPECT_EQ(CountOf(text, "StackTestSpin"), 0u);
  EXPECT_EQ(CountOf(text, "StackTestRecurse"), 0u);
}

// The worker's crash, captured by a vectored handler on the faulting thread itself into
// a fixed buffer; the thread then ends instead of returning into the fault.
TStackCandidate gCrashFrames[256];
std::atomic<size_t> gCrashCount{0};
DWORD gCrashThread = 0;

void EndCrashedThread() { ExitThread(1); }

LONG CALLBACK CaptureCrash(EXCEPTION_POINTERS* info) {
  if (GetCurrentThreadId() != gCrashThread || info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
    return EXCEPTION_CONTINUE_SEARCH;
  gCrashCount = CaptureStackFromContext(*info->ContextRecord, ThreadStackBase(GetCurrentThread()), gCrashFrames);
  info->ContextRecord->Rsp = (info->ContextRecord->Rsp & ~uint64_t{15}) - 8;
  info->ContextRecord->Rip = reinterpret_cast<uint64_t>(&EndCrashedThread);
  return EXCEPTION_CONTINUE_EXECUTION;
}

DWORD WINAPI CrashingThread(void*) { return static_cast<DWORD>(StackTestWorkerCrashes()); }

TEST(StackTrace, WorkerThatCrashed) {
  void* handler = AddVectoredExceptionHandler(1, CaptureCrash);
  HANDLE thread = CreateThread(nullptr, 0, CrashingThread, nullptr, CREATE_SUSPENDED, &gCrashThread);
  ResumeThread(thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  RemoveVectoredExceptionHandler(handler);
  const TStackText text = AnalyseCapturedStack(std::span(gCrashFrames).first(gCrashCount), {}).Stack;
  SCOPED_TRACE(text.Text);
  ASSERT_GE(text.Items.size(), 3u);
  EXPECT_EQ(text.Items[0].FunctionName, "StackTestFault");
  EXPECT_EQ(text.Items[1].FunctionName, "StackTestWorkerCrashes");
  EXPECT_EQ(CountOf(text, "CrashingThread"), 1u);
}

}  // namespace
}  // namespace palvetta
