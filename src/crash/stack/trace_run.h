#pragma once
// One trace's steps over its candidates (see stack_tracer.h); the caches outlive it.

#include <cstdint>
#include <string>

#include "crash/stack/function_cache.h"
#include "crash/stack/module_cache.h"
#include "crash/stack/stack_tracer.h"
#include "crash/stack/trace_items.h"

namespace palvetta {

class TTraceRun {
 public:
  TTraceRun(const TTraceRequest& request, const TAnalysisSources& sources, TModuleCache& modules,
            TFunctionCache& functions)
      : R(request), S(sources), M(modules), F(functions) {}

  // The steps, in order.
  void CollectPossibleStackItems();
  void RemoveRecursiveStackAreas();  // deletes the inner copies
  void InDeepChecks();
  void RealizeOptimalLinkChains();
  void RemoveRecursiveAreas();  // only marks them invalid
  void FillFinalOutput(TTraceResult& result);
  void ComposeResult(TTraceResult& result) const;

  bool Aborted() const;
  const TTraceItems& Items() const { return FItems; }

 private:
  // Collecting.
  void Offer(uint64_t value, bool anchor, bool top, bool first, const TCallSite* captured);
  bool ConfirmCall(int module, uint64_t testAddr, uint64_t afterInstr, bool top, TStackLink& call);
  bool FindCallEndingAt(int func, uint64_t afterInstr, bool top, TStackLink& call);
  bool EndsAtInstruction(const TFunctionInfo& fi, uint64_t afterInstr) const;
  bool CallsRaisingRoutine(uint64_t target);

  // Linking.
  const TStackLink* ApprovedOuterLink(int index) const;
  int FirstApprovedFunctionHolding(uint64_t afterInstr) const;
  bool HasApprovedOuterLinkOtherThan(int index, uint64_t codeAddr) const;
  void FillInnerLinks(int k, bool hasTarget, uint64_t target, bool approve);
  int64_t LinkQuality(int x, int z, bool strict);
  int LineBonus(int x, int linked) const;
  bool HasLine(int index) const;
  void FollowBestLinks(int from, int to);

  // Naming.
  void NameFrame(TInternalStackItem& item, TTraceResult& result);
  void HideRunTimeFrames();

  void Progress(int position) const;

  const TTraceRequest& R;
  TAnalysisSources S;
  TModuleCache& M;
  TFunctionCache& F;
  TTraceItems FItems;
  bool FCurrentAdded = false;  // the current address was added after the collected ones
};

}  // namespace palvetta
