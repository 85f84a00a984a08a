#include "crash/stack/win/thread_stack.h"

#include <winternl.h>

#include <mutex>
#include <vector>

#include "crash/disasm/win/loaded_modules.h"
#include "crash/disasm/win/safe_memory.h"
#include "crash/process/win/process_facts.h"
#include "crash/stack/cached_reader.h"
#include "crash/stack/win/loaded_module_source.h"
#include "crash/stack/win/stack_line_lookup.h"
#include "crash/stack/win/stack_walk.h"
#include "crash/symbols/win/map_cache.h"

namespace palvetta {
namespace {

// The system's record of a thread, as NtQueryInformationThread fills it for class 0.
struct TThreadBasicInformation {
  LONG ExitStatus;
  void* TebBaseAddress;
  void* ClientIdProcess;
  void* ClientIdThread;
  ULONG_PTR AffinityMask;
  LONG Priority;
  LONG BasePriority;
};

// Stack lines never go deeper than this many frames.
constexpr size_t kMaxFrames = 1024;

// Whether the thread owns the loader lock (x64 process environment block): then the
// function-table lookup, which may take it, must not run while the thread is suspended.
bool HoldsLoaderLock(DWORD threadId) noexcept {
  constexpr size_t kLoaderLock = 0x110;
  const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  const RTL_CRITICAL_SECTION* lock = nullptr;
  if (peb == nullptr || !SafeReadMemory(reinterpret_cast<uintptr_t>(peb + kLoaderLock), &lock, sizeof lock, nullptr) ||
      lock == nullptr)
    return false;
  HANDLE owner = nullptr;
  if (!SafeReadMemory(reinterpret_cast<uintptr_t>(&lock->OwningThread), &owner, sizeof owner, nullptr)) return false;
  return reinterpret_cast<uintptr_t>(owner) == threadId;
}

}  // namespace

uint64_t ThreadStackBase(HANDLE thread) noexcept {
  if (thread == GetCurrentThread() || GetThreadId(thread) == GetCurrentThreadId())
    return reinterpret_cast<uint64_t>(reinterpret_cast<const NT_TIB*>(NtCurrentTeb())->StackBase);
  // Linked, not looked up: a lookup may need the loader lock, which the thread may hold.
  TThreadBasicInformation info{};
  if (NtQueryInformationThread(thread, static_cast<THREADINFOCLASS>(0), &info, sizeof info, nullptr) != 0 ||
      info.TebBaseAddress == nullptr)
    return 0;
  NT_TIB tib;
  if (!SafeReadMemory(reinterpret_cast<uintptr_t>(info.TebBaseAddress), &tib, sizeof tib, nullptr)) return 0;
  return reinterpret_cast<uint64_t>(tib.StackBase);
}

size_t CaptureStackFromContext(const CONTEXT& context, uint64_t stackBase, std::span<TStackCandidate> out,
                               bool unwind) noexcept {
  const TSafeReader reader;
  const TImageCodeRanges code;
  return WalkStack(context, {context.Rsp, stackBase}, reader, code, out, unwind);
}

__attribute__((noinline)) size_t CaptureCurrentStack(std::span<TStackCandidate> out) noexcept {
  CONTEXT context;
  RtlCaptureContext(&context);
  const size_t count = CaptureStackFromContext(context, ThreadStackBase(GetCurrentThread()), out);
  // The innermost frame is this function's own; the caller's call of it is the next one.
  if (count > 1) {
    out[count - 2].Anchor = true;
    out[count - 1].Valid = false;
  }
  return count;
}

size_t CaptureThreadStack(HANDLE thread, std::span<TStackCandidate> out) noexcept {
  if (GetThreadId(thread) == GetCurrentThreadId()) return CaptureCurrentStack(out);
  const uint64_t stackBase = ThreadStackBase(thread);
  if (stackBase == 0) return 0;
  // One capture at a time: two threads that suspended each other would never resume.
  static SRWLOCK captureLock = SRWLOCK_INIT;
  AcquireSRWLockExclusive(&captureLock);
  if (SuspendThread(thread) == static_cast<DWORD>(-1)) {
    ReleaseSRWLockExclusive(&captureLock);
    return 0;
  }
  CONTEXT context{};
  context.ContextFlags = CONTEXT_FULL;
  size_t count = 0;
  if (GetThreadContext(thread, &context)) {
    // Page copies make the scan's many small reads cheap; kept in static storage, as
    // nothing may be allocated while the thread is suspended, and used under the lock.
    static const TSafeReader memory;
    static TFixedCachedReader pages(memory);
    pages.Reset();
    const TImageCodeRanges code;
    count = WalkStack(context, {context.Rsp, stackBase}, pages, code, out, !HoldsLoaderLock(GetThreadId(thread)));
  }
  ResumeThread(thread);
  ReleaseSRWLockExclusive(&captureLock);
  return count;
}

namespace {

// The process's one tracer: its caches live as long as the process.
std::mutex& TracerLock() {
  static std::mutex lock;
  return lock;
}
TStackTracer& ProcessTracer() {
  static TStackTracer tracer;
  return tracer;
}

// Runs the process's tracer over the request's candidates, reading this process's memory.
TTraceResult AnalyseInThisProcess(TTraceRequest& request) {
  if (!request.FormatLine) {
    const TStackLineOptions lines = request.Lines;
    request.FormatLine = [lines](uint64_t address) {
      return FormatStackLine(address, lines.ShowRelativeAddrs, lines.ShowRelativeLines);
    };
  }
  const std::lock_guard<std::mutex> guard(TracerLock());
  // Each module's file is checked once in this trace, not at every lookup of a line.
  RecheckModuleFiles();
  TDATryRead snapshot = SnapshotReadableAreas();
  const TSafeReader safe(&snapshot);
  const TCachedReader reader(safe);
  const TLoadedModules facts;
  const TLoadedModuleSource modules;
  TTraceResult result = ProcessTracer().Trace(request, {&reader, &facts, &modules});
  FreeSnapshot(snapshot);
  return result;
}

}  // namespace

TTraceResult AnalyseCapturedStack(std::span<const TStackCandidate> captured, TTraceRequest request) {
  size_t last = captured.size();
  while (last > 0 && !captured[last - 1].Valid) --last;
  if (last == 0) return {};
  // The capture's innermost candidate is its current address; a current-thread capture ends
  // with an anchor of its caller instead, which stays a frame.
  if (captured[last - 1].Slot == 0 && !request.NoCurrentAddress) {
    request.CurrentAddress = captured[last - 1].AfterInstr;
    request.Collected = captured.first(last - 1);
  } else {
    request.NoCurrentAddress = true;
    request.Collected = captured.first(last);
  }
  return AnalyseInThisProcess(request);
}

TTraceResult AnalysePreparedStack(std::span<const TPreparedEntry> prepared, TTraceRequest request) {
  std::vector<TStackCandidate> candidates;
  candidates.reserve(prepared.size());
  for (const TPreparedEntry& entry : prepared) {
    TStackCandidate candidate;
    candidate.Slot = 1;
    candidate.AfterInstr = entry.Address;
    candidate.Anchor = entry.FrameSlot;
    candidates.push_back(candidate);
  }
  request.Collected = candidates;
  request.FromPreparedStack = true;
  return AnalyseInThisProcess(request);
}

TTraceResult TraceThreadStack(DWORD threadId, const TTraceRequest& request) {
  std::vector<TStackCandidate> candidates(kMaxFrames);
  size_t count = 0;
  if (threadId == GetCurrentThreadId()) {
    count = CaptureCurrentStack(candidates);
  } else {
    const TScopedKernelHandle thread =
        OpenThreadById(threadId, THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION);
    if (thread) count = CaptureThreadStack(thread.Get(), candidates);
  }
  return AnalyseCapturedStack(std::span(candidates).first(count), request);
}

TStackText TraceThreadStack(DWORD threadId, const TStackLineOptions& options) {
  TTraceRequest request;
  request.Lines = options;
  return TraceThreadStack(threadId, request).Stack;
}

void ClearStackTracerCaches() {
  const std::lock_guard<std::mutex> guard(TracerLock());
  ProcessTracer().Clear();
}

}  // namespace palvetta
