// The time to trace every thread of a process with 20 threads, each waiting somewhere
// else: this program's own tracer (named through its embedded map) against Wine's dbghelp
// (StackWalk64 over each suspended thread, SymFromAddr and SymGetLineFromAddr64 per frame)
// on its DWARF 4 twin, side by side: the first trace of each, then warm traces alternating
// between the two, as median and range per trace and per frame (the two walk different
// numbers of frames). Usage: stack_trace_bench DWARF-TWIN.exe

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <set>
#include <vector>

#include "base/win/scoped_handle.h"
#include "crash/stack/win/thread_stack.h"
#include "support/bench_samples.h"
#include "support/dbghelp_reference.h"

namespace {

using TClock = std::chrono::steady_clock;
using palvetta::testing::TSamples;
constexpr int kRounds = 20;
constexpr size_t kMaxFrames = 1024;

// Where a thread waits at the end of its calls.
enum class TPark { Sleep, Event, Alertable, Spin, Pipe, Condition };

struct TThreadPlan {
  const char* Label;
  TPark Park;
  int Depth;
  bool Mutual;  // down through two functions that call each other, not one
};

constexpr TThreadPlan kPlans[] = {
    {"Sleep", TPark::Sleep, 1, false},
    {"Sleep", TPark::Sleep, 4, false},
    {"Sleep", TPark::Sleep, 9, false},
    {"Sleep", TPark::Sleep, 16, false},
    {"Sleep", TPark::Sleep, 30, false},
    {"Sleep", TPark::Sleep, 60, false},
    {"Sleep", TPark::Sleep, 7, true},
    {"WaitForSingleObject", TPark::Event, 0, false},
    {"WaitForSingleObject", TPark::Event, 2, false},
    {"WaitForSingleObject", TPark::Event, 5, false},
    {"WaitForSingleObject", TPark::Event, 12, false},
    {"WaitForSingleObject", TPark::Event, 24, false},
    {"WaitForSingleObject", TPark::Event, 48, false},
    {"WaitForSingleObject", TPark::Event, 21, true},
    {"condition_variable", TPark::Condition, 3, false},
    {"ReadFile (pipe)", TPark::Pipe, 2, false},
    {"busy loop", TPark::Spin, 0, false},
    {"busy loop", TPark::Spin, 3, false},
    {"busy loop", TPark::Spin, 8, true},
    {"SleepEx (alertable)", TPark::Alertable, 5, false},
};
constexpr size_t kThreads = std::size(kPlans);

std::atomic<bool> gStop{false};
std::atomic<size_t> gParked{0};
palvetta::TScopedKernelHandle gStopEvent;
palvetta::TScopedKernelHandle gPipeRead;
palvetta::TScopedKernelHandle gPipeWrite;
std::mutex gConditionMutex;
std::condition_variable gCondition;

__attribute__((noinline)) int Park(TPark park) {
  ++gParked;
  switch (park) {
    case TPark::Sleep:
      while (!gStop) Sleep(20);
      return 1;
    case TPark::Event:
      WaitForSingleObject(gStopEvent.Get(), INFINITE);
      return 2;
    case TPark::Alertable:
      while (!gStop) SleepEx(INFINITE, TRUE);
      return 3;
    case TPark::Spin: {
      volatile unsigned turns = 0;
      while (!gStop) turns = turns + 1;
      return static_cast<int>(turns & 1);
    }
    case TPark::Pipe: {
      char byte = 0;
      DWORD read = 0;
      return ReadFile(gPipeRead.Get(), &byte, 1, &read, nullptr);
    }
    case TPark::Condition: {
      std::unique_lock lock(gConditionMutex);
      gCondition.wait(lock, [] { return gStop.load(); });
      return 4;
    }
  }
  return 0;
}

// The volatile read after each call keeps the optimizer from turning a recursion into a loop.
__attribute__((noinline)) int Descend(int depth, TPark park) {
  volatile int mark = depth;
  const int result = depth > 0 ? Descend(depth - 1, park) : Park(park);
  return result + mark;
}

int DescendPong(int depth, TPark park);
__attribute__((noinline)) int DescendPing(int depth, TPark park) {
  volatile int mark = depth;
  const int result = depth > 0 ? DescendPong(depth - 1, park) : Park(park);
  return result + mark;
}
__attribute__((noinline)) int DescendPong(int depth, TPark park) {
  volatile int mark = depth;
  const int result = depth > 0 ? DescendPing(depth - 1, park) : Park(park);
  return result - mark;
}

DWORD WINAPI RunPlan(void* parameter) {
  const auto& plan = *static_cast<const TThreadPlan*>(parameter);
  return static_cast<DWORD>(plan.Mutual ? DescendPing(plan.Depth, plan.Park) : Descend(plan.Depth, plan.Park));
}
void CALLBACK WakeUp(ULONG_PTR) {}

// What one method made of one thread's stack.
struct TThreadTrace {
  size_t Frames = 0;
  size_t Named = 0;
  size_t Lined = 0;
  std::set<uint64_t> Functions;  // the start addresses of the named frames' functions
};

// One trace of all threads by one method: its time and what it found per thread.
struct TRound {
  double Milliseconds = 0;
  std::array<TThreadTrace, kThreads> Threads;
  size_t Frames = 0, Named = 0, Lined = 0;
};

using TTraceMethod = std::function<TThreadTrace(DWORD, HANDLE)>;

TRound TraceAll(const std::vector<DWORD>& ids, const std::vector<HANDLE>& handles, const TTraceMethod& trace) {
  TRound round;
  const auto start = TClock::now();
  for (size_t i = 0; i < kThreads; ++i) round.Threads[i] = trace(ids[i], handles[i]);
  round.Milliseconds = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
  for (const TThreadTrace& t : round.Threads) {
    round.Frames += t.Frames;
    round.Named += t.Named;
    round.Lined += t.Lined;
  }
  return round;
}

// Per method: the first (cold) trace and the warm ones after it.
struct TMethodRun {
  TRound First;
  double FirstSetupMilliseconds = 0;  // loading the symbols before the first trace
  TSamples Milliseconds;               // per trace of all threads
  TSamples MicrosecondsPerFrame;
  TSamples Frames, Named, Lined;

  void AddWarm(const TRound& round) {
    Milliseconds.Add(round.Milliseconds);
    MicrosecondsPerFrame.Add(round.Frames == 0 ? 0 : round.Milliseconds * 1000 / static_cast<double>(round.Frames));
    Frames.Add(static_cast<double>(round.Frames));
    Named.Add(static_cast<double>(round.Named));
    Lined.Add(static_cast<double>(round.Lined));
  }
};

TThreadTrace TraceOwn(DWORD id) {
  const palvetta::TStackText text = palvetta::TraceThreadStack(id, palvetta::TStackLineOptions{});
  TThreadTrace trace;
  trace.Frames = text.Items.size();
  for (const palvetta::TStackItem& item : text.Items) {
    if (item.FunctionName.empty()) continue;
    ++trace.Named;
    // Without relative lines the item keeps its line in relLine.
    trace.Lined += item.Line > 0 || item.relLine > 0 ? 1 : 0;
    trace.Functions.insert(item.Addr - item.relAddr);
  }
  return trace;
}

// The reference tracer: every module of the process, with the stripped program swapped
// for its twin.
struct TDbgHelpTracer {
  palvetta::TDbgHelpReference DbgHelp;

  // Walked while the thread is suspended, named once it runs again (as the own tracer does).
  TThreadTrace Trace(HANDLE thread) const {
    std::array<DWORD64, kMaxFrames> addresses;
    size_t count = 0;
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) return {};
    CONTEXT context{};
    context.ContextFlags = CONTEXT_FULL;
    if (GetThreadContext(thread, &context)) {
      STACKFRAME64 frame{};
      frame.AddrPC = {context.Rip, 0, AddrModeFlat};
      frame.AddrStack = {context.Rsp, 0, AddrModeFlat};
      frame.AddrFrame = {context.Rbp, 0, AddrModeFlat};
      while (count < kMaxFrames &&
             DbgHelp.Walk(IMAGE_FILE_MACHINE_AMD64, GetCurrentProcess(), thread, &frame, &context, nullptr,
                          DbgHelp.FunctionTableAccess, DbgHelp.ModuleBase, nullptr) &&
             frame.AddrPC.Offset != 0)
        addresses[count++] = frame.AddrPC.Offset;
    }
    ResumeThread(thread);

    TThreadTrace trace;
    trace.Frames = count;
    for (size_t i = 0; i < count; ++i) {
      // Below the top, the return address: its call instruction ends one byte before it.
      const DWORD64 address = i == 0 ? addresses[i] : addresses[i] - 1;
      const palvetta::TDbgHelpAnswer answer = DbgHelp.Lookup(GetCurrentProcess(), address);
      if (!answer.Named) continue;
      ++trace.Named;
      trace.Functions.insert(answer.FunctionStart);
      trace.Lined += answer.HasLine ? 1 : 0;
    }
    return trace;
  }
};

void PrintMethod(const char* label, const TMethodRun& run) {
  std::printf("  %-28s cold %8.2f ms (%zu frames)\n", label, run.FirstSetupMilliseconds + run.First.Milliseconds,
              run.First.Frames);
  std::printf("  %-28s warm ", "");
  run.Milliseconds.Print("%.2f");
  std::printf(" ms per trace, ");
  run.MicrosecondsPerFrame.Print("%.2f");
  std::printf(" us per frame\n  %-28s      frames %.0f, named %.0f, with lines %.0f per trace (medians)\n", "",
              run.Frames.Median(), run.Named.Median(), run.Lined.Median());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: stack_trace_bench DWARF-TWIN.exe\n");
    return 2;
  }
  gStopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!gStopEvent || !CreatePipe(gPipeRead.Receive(), gPipeWrite.Receive(), nullptr, 0)) {
    std::fprintf(stderr, "stack_trace_bench: no event or pipe\n");
    return 1;
  }
  std::vector<palvetta::TScopedKernelHandle> threads;
  std::vector<HANDLE> handles;
  std::vector<DWORD> ids;
  for (const TThreadPlan& plan : kPlans) {
    DWORD id = 0;
    threads.emplace_back(CreateThread(nullptr, 0, RunPlan, const_cast<TThreadPlan*>(&plan), 0, &id));
    handles.push_back(threads.back().Get());
    ids.push_back(id);
  }
  while (gParked < kThreads) Sleep(1);
  Sleep(100);  // into the waits themselves

  const TTraceMethod ownMethod = [](DWORD id, HANDLE) { return TraceOwn(id); };
  TMethodRun own;
  own.First = TraceAll(ids, handles, ownMethod);

  TDbgHelpTracer dbghelp;
  if (!dbghelp.DbgHelp.Load()) {
    std::fprintf(stderr, "stack_trace_bench: dbghelp.dll is missing\n");
    return 1;
  }
  const auto setupStart = TClock::now();
  if (!dbghelp.DbgHelp.Start(GetCurrentProcess(), argv[1], true)) {
    std::fprintf(stderr, "stack_trace_bench: dbghelp cannot load the modules or the twin\n");
    return 1;
  }
  TMethodRun reference;
  reference.FirstSetupMilliseconds = std::chrono::duration<double, std::milli>(TClock::now() - setupStart).count();
  const TTraceMethod referenceMethod = [&](DWORD, HANDLE thread) { return dbghelp.Trace(thread); };
  reference.First = TraceAll(ids, handles, referenceMethod);

  // The warm traces alternate between the methods, each going first every other round.
  for (int round = 0; round < kRounds; ++round) {
    for (int side = 0; side < 2; ++side) {
      if ((side + round) % 2 == 0) {
        own.AddWarm(TraceAll(ids, handles, ownMethod));
      } else {
        reference.AddWarm(TraceAll(ids, handles, referenceMethod));
      }
    }
  }

  std::printf("%zu threads; the first trace per thread:\n", kThreads);
  std::printf("%-29s %10s %10s %10s %10s %10s\n", "thread", "own", "dbghelp", "own", "dbghelp", "both");
  std::printf("%-29s %10s %10s %10s %10s %10s\n", "", "frames", "frames", "functions", "functions", "functions");
  for (size_t i = 0; i < kThreads; ++i) {
    const TThreadPlan& plan = kPlans[i];
    const std::set<uint64_t>& ownFunctions = own.First.Threads[i].Functions;
    const std::set<uint64_t>& referenceFunctions = reference.First.Threads[i].Functions;
    const auto both = std::count_if(ownFunctions.begin(), ownFunctions.end(),
                                    [&](uint64_t start) { return referenceFunctions.contains(start); });
    std::printf("%-19s %2d%-7s %10zu %10zu %10zu %10zu %10lld\n", plan.Label, plan.Depth, plan.Mutual ? " mutual" : "",
                own.First.Threads[i].Frames, reference.First.Threads[i].Frames, ownFunctions.size(),
                referenceFunctions.size(), static_cast<long long>(both));
  }
  std::printf("(the own trace shows a recursion as its innermost and its recursive call, and of the unnamed\n"
              " frames only the current one and the thread's start)\n\n");
  std::printf("per %zu-thread trace (cold: the first, with loading the symbols; warm: median [min .. max] of\n"
              "%d more, alternating between the methods):\n", kThreads, kRounds);
  PrintMethod("own (TraceThreadStack)", own);
  PrintMethod("dbghelp (StackWalk64+Sym*)", reference);
  std::printf("  own is %.2fx dbghelp per trace, %.2fx per frame (median against median)\n\n",
              reference.Milliseconds.Median() / own.Milliseconds.Median(),
              reference.MicrosecondsPerFrame.Median() / own.MicrosecondsPerFrame.Median());

  gStop = true;
  {
    const std::lock_guard lock(gConditionMutex);
    gCondition.notify_all();
  }
  SetEvent(gStopEvent.Get());
  gPipeWrite.Reset();
  for (HANDLE thread : handles) QueueUserAPC(WakeUp, thread, 0);
  if (WaitForMultipleObjects(static_cast<DWORD>(kThreads), handles.data(), TRUE, 10000) != WAIT_OBJECT_0)
    std::fprintf(stderr, "stack_trace_bench: not every thread ended\n");
  return 0;
}
