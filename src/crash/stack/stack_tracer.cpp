#include "crash/stack/stack_tracer.h"

#include "base/hex_digits.h"
#include "crash/stack/stack_line_format.h"
#include "crash/stack/trace_run.h"

namespace palvetta {

const char* const kTraceStepNames[7] = {"CollectPossibleStackItems", "RemoveRecursiveStackAreas",
                                        "InDeepChecks",              "RealizeOptimalLinkChains",
                                        "RemoveRecursiveAreas",      "FillFinalOutput",
                                        "ComposeResult"};

namespace {

// The text that replaces the trace when one of its steps fails. A C++ exception has no
// address of its own to show; with an exception trace the original location follows.
std::string StepFailureText(const char* step, const TTraceRequest& request) {
  std::string text = ComposeInternalErrorText(step, {});
  if (request.ExceptionFlag) {
    const uint64_t address = request.CurrentAddress;
    text += "\r\n>> original exception location: \r\n" +
            (request.FormatLine ? request.FormatLine(address) : HexDigits(address, 16));
  }
  return text;
}

}  // namespace

TTraceResult TStackTracer::Trace(const TTraceRequest& request, const TAnalysisSources& sources) {
  TTraceResult result;
  FModules.BeginTrace(*sources.modules);
  FFunctions.BeginTrace(sources);
  TTraceRun run(request, sources, FModules, FFunctions);
  const bool analyse = !request.RawMode;
  const bool choose = analyse && !request.NoChainSelection;
  // Each step in order; a failing one ends the trace with its name, an abort with nothing.
  const struct {
    bool Runs;
    void (*Step)(TTraceRun&, TTraceResult&);
  } steps[7] = {
      {true, [](TTraceRun& r, TTraceResult&) { r.CollectPossibleStackItems(); }},
      {analyse, [](TTraceRun& r, TTraceResult&) { r.RemoveRecursiveStackAreas(); }},
      {analyse, [](TTraceRun& r, TTraceResult&) { r.InDeepChecks(); }},
      {choose, [](TTraceRun& r, TTraceResult&) { r.RealizeOptimalLinkChains(); }},
      {analyse, [](TTraceRun& r, TTraceResult&) { r.RemoveRecursiveAreas(); }},
      {true, [](TTraceRun& r, TTraceResult& out) { r.FillFinalOutput(out); }},
      {true, [](TTraceRun& r, TTraceResult& out) { r.ComposeResult(out); }},
  };
  for (size_t i = 0; i < 7; ++i) {
    if (run.Aborted()) return result;
    if (!steps[i].Runs) continue;
    try {
      steps[i].Step(run, result);
    } catch (...) {
      TTraceResult failed;
      failed.Stack.Text = StepFailureText(kTraceStepNames[i], request);
      return failed;
    }
  }
  if (run.Aborted()) return TTraceResult();
  return result;
}

void TStackTracer::Clear() {
  FFunctions.Clear();
  FModules.Clear();
}

}  // namespace palvetta
