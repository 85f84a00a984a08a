#include "crash/stack/win/thread_stack.h"

#include <winternl.h>

#include "base/utf.h"
#include "crash/disasm/win/safe_memory.h"
#include "crash/process/win/process_facts.h"
#include "crash/stack/win/stack_walk.h"
#include "crash/symbols/win/symbol_lookup.h"

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

std::string ModuleFileName(const std::u16string& path) {
  if (path.empty()) return "???";
  const size_t slash = path.find_last_of(u"\\/");
  return Utf16ToUtf8(slash == std::u16string::npos ? path : path.substr(slash + 1));
}

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
  if (GetThreadContext(thread, &context))
    count = CaptureStackFromContext(context, stackBase, out, !HoldsLoaderLock(GetThreadId(thread)));
  ResumeThread(thread);
  ReleaseSRWLockExclusive(&captureLock);
  return count;
}

std::vector<TStackFrame> ResolveFrames(std::span<const TStackCandidate> candidates, bool relativeLines) {
  std::vector<TStackFrame> frames;
  for (size_t i = candidates.size(); i-- > 0;) {
    const TStackCandidate& candidate = candidates[i];
    if (!candidate.Valid) continue;
    TStackFrame frame;
    frame.TopItem = frames.empty();
    frame.CreationItem = i == 0 && candidate.Anchor;
    frame.Addr = candidate.Call.CallAddr != 0 ? candidate.Call.CallAddr : candidate.AfterInstr;
    TAddressInfo info;
    LookupAddressInfo(reinterpret_cast<const void*>(frame.Addr), info);
    frame.ModuleName = ModuleFileName(info.ModuleName);
    frame.UnitName = info.UnitName;
    frame.Line = info.Line;
    frame.PublicAddr = info.PublicAddress;
    frame.PublicName = info.PublicName;
    if (relativeLines && frame.PublicAddr != 0 && frame.Line > 0) {
      TAddressInfo start;
      LookupAddressInfo(reinterpret_cast<const void*>(frame.PublicAddr), start);
      MakeLineRelative(frame, start.Line);
    }
    frames.push_back(std::move(frame));
  }
  return frames;
}

TStackText TraceThreadStack(DWORD threadId, const TStackLineOptions& options) {
  std::vector<TStackCandidate> candidates(kMaxFrames);
  size_t count = 0;
  if (threadId == GetCurrentThreadId()) {
    count = CaptureCurrentStack(candidates);
  } else {
    const TScopedKernelHandle thread =
        OpenThreadById(threadId, THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION);
    if (thread) count = CaptureThreadStack(thread.Get(), candidates);
  }
  return ComposeStackText(ResolveFrames(std::span(candidates).first(count), options.ShowRelativeLines), options);
}

}  // namespace palvetta
