#pragma once
// The analysis of a captured stack: which candidates are real frames (their calls confirmed
// in the analysed code of their functions), recursion echoes removed, the best-linked chain
// of frames chosen between the reliable anchors, each frame named through its module's map
// and laid out as the report's stack lines.
//
// It allocates and may throw (a failing step gives an internal-error text), so it runs
// on a reporting thread, never on a faulting one: those only capture.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "crash/stack/function_cache.h"
#include "crash/stack/module_cache.h"
#include "crash/stack/stack_lines.h"
#include "crash/stack/stack_scan.h"

namespace palvetta {

// Receives the trace's progress, 0..1000.
class IProgressPosition {
 public:
  virtual ~IProgressPosition() = default;
  virtual void SetPosition(int position) = 0;
};

struct TTraceRequest {
  // The captured candidates, outermost first, without the current address. Anchors are
  // frames known for certain (the unwinder's, or a prepared stack's frame-chain slots).
  std::span<const TStackCandidate> Collected;
  bool FromPreparedStack = false;
  // The innermost address; an exception address when ExceptionFlag.
  uint64_t CurrentAddress = 0;
  bool NoCurrentAddress = false;
  bool ExceptionFlag = false;
  // Keep the exception address as it is (no move to the call of a raising routine).
  bool ExactAddress = false;
  // Added as the outermost frame and anchor (the thread's creation), 0 for none.
  uint64_t FirstAddress = 0;
  bool RawMode = false;           // keep every accepted candidate
  bool NoChainSelection = false;  // skip the choice between linked chains
  bool CxxTermination = false;    // hide the C++ run time's throw routines
  TStackLineOptions Lines;
  IProgressPosition* Progress = nullptr;
  const std::atomic<bool>* Abort = nullptr;
  // The one-line form of an address, for the internal-error text.
  std::function<std::string(uint64_t)> FormatLine;
};

struct TTraceResult {
  TStackText Stack;
  uint64_t InnermostAddr = 0;
  // Of the innermost shown frame with a known function start and a line (else with a
  // known function start): the start and the frame's address.
  uint64_t FunctionStart = 0;
  uint64_t Location = 0;
  // "module|information" of each module with minimal debug information, once each.
  std::vector<std::string> DebugInfo;
};

// The names of the trace's steps, as the internal-error text gives them.
extern const char* const kTraceStepNames[7];

class TStackTracer {
 public:
  TStackTracer() = default;
  TStackTracer(const TStackTracer&) = delete;
  TStackTracer& operator=(const TStackTracer&) = delete;

  // Not thread-safe: callers serialise traces (the caches are shared by all of them).
  TTraceResult Trace(const TTraceRequest& request, const TAnalysisSources& sources);
  void Clear();

  const TFunctionCache& Functions() const { return FFunctions; }

 private:
  TModuleCache FModules;
  TFunctionCache FFunctions{FModules};
};

}  // namespace palvetta
