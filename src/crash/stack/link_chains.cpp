// Linking: which call of which candidate's function can have led to which inner candidate,
// and, between two anchors, the chain of links with the highest quality.
#include <algorithm>

#include "crash/stack/call_site.h"
#include "crash/stack/recursion.h"
#include "crash/stack/trace_run.h"

namespace palvetta {
namespace {

constexpr int64_t High(int64_t bits) { return bits << 32; }
// A chain that reaches its anchor; through known functions only.
constexpr int64_t kReachedKnown = High(0x70000000);
constexpr int64_t kReachedUnknown = High(0x50000000);
constexpr int64_t kNotReached = High(0x10000000);
constexpr int64_t kReachedBit = High(0x40000000);
constexpr int64_t kStrictBit = High(0x20000000);

// The echo removal's view of the trace's candidates. Deleting moves indexes, so the first
// run only marks during a pass and deletes afterwards.
class TItemEchoes final : public IEchoCandidates {
 public:
  explicit TItemEchoes(TTraceItems& items) : FItems(items) {}
  size_t Count() const noexcept override { return static_cast<size_t>(FItems.Count()); }
  bool IsValid(size_t index) const noexcept override { return !FItems[static_cast<int>(index)].Invalid; }
  uint64_t ReturnAddress(size_t index) const noexcept override {
    return FItems[static_cast<int>(index)].AfterInstr;
  }
  void Remove(size_t index) noexcept override {
    FItems[static_cast<int>(index)].Invalid = true;
    FItems[static_cast<int>(index)].DontKill = false;
  }

 private:
  TTraceItems& FItems;
};

}  // namespace

void TTraceRun::RemoveRecursiveStackAreas() {
  TItemEchoes echoes(FItems);
  RemoveRecursionEchoes(echoes);
  for (int i = FItems.Count() - 1; i >= 0; --i)
    if (FItems[i].Invalid) FItems.Delete(i);
}

void TTraceRun::RemoveRecursiveAreas() {
  TItemEchoes echoes(FItems);
  RemoveRecursionEchoes(echoes);
}

const TStackLink* TTraceRun::ApprovedOuterLink(int index) const {
  for (const TStackLink& link : FItems[index].Links[ldOuter].Links)
    if (link.Func >= 0 && F[link.Func].approved && !F[link.Func].invalid) return &link;
  return nullptr;
}

bool TTraceRun::HasApprovedOuterLinkOtherThan(int index, uint64_t codeAddr) const {
  const TStackLink* approved = ApprovedOuterLink(index);
  return approved != nullptr && approved->CodeAddr != codeAddr;
}

int TTraceRun::FirstApprovedFunctionHolding(uint64_t afterInstr) const {
  for (size_t i = 0; i < F.Count(); ++i) {
    const TCachedFunction& function = F[static_cast<int>(i)];
    if (function.approved && !function.invalid && FunctionHolds(function.fi, afterInstr)) return static_cast<int>(i);
  }
  return -1;
}

void TTraceRun::InDeepChecks() {
  const int first = R.FirstAddress != 0 ? 1 : 0;
  for (int i = first; i < FItems.Count();) {
    if (Aborted()) return;
    Progress(25 + i * 625 / FItems.Count());
    if (FItems[i].Invalid) {
      ++i;
      continue;
    }
    if (const TStackLink* approved = ApprovedOuterLink(i)) {
      const TStackLink call = *approved;
      // The approved call explains the candidate: other explanations name wrong functions.
      std::vector<int> wrong;
      for (const TStackLink& other : FItems[i].Links[ldOuter].Links)
        if (other.CodeAddr != call.CodeAddr && other.Func >= 0 && other.Func != call.Func) wrong.push_back(other.Func);
      for (const int func : wrong) {
        F[func].invalid = true;
        FItems.DropLinksOfFunction(func);
      }
      FillInnerLinks(i, call.HasTarget, call.Target, true);
      ++i;
      continue;
    }
    if (const int func = FirstApprovedFunctionHolding(FItems[i].AfterInstr); func >= 0) {
      TStackLink call;
      if (FindCallEndingAt(func, FItems[i].AfterInstr, false, call)) {
        FItems[i].Links[ldOuter].Links.push_back(call);
        ++i;
      } else if (FItems[i].DontKill) {
        ++i;
      } else {
        FItems.Delete(i);
      }
      continue;
    }
    uint64_t base = 0;
    TCallSite site;
    if (S.modules->AllocationBase(FItems[i].AfterInstr - 1, base) &&
        palvetta::FindCallEndingAt(*S.reader, FItems[i].AfterInstr, site))
      FillInnerLinks(i, site.HasTarget, site.Target, false);
    ++i;
  }
  Progress(650);
}

void TTraceRun::FillInnerLinks(int k, bool hasTarget, uint64_t target, bool approve) {
  int func = -1;
  if (hasTarget) {
    func = F.AddAnalysedFunction(target, {}, -1, approve, false);
    // A function that jumps somewhere unknown can end anywhere: as if its target were unknown.
    const std::vector<TUnknownTarget>& unknowns = F[func].fi.UnknownTargets;
    if (std::any_of(unknowns.begin(), unknowns.end(), [](const TUnknownTarget& unknown) { return !unknown.Call; }))
      func = -1;
  }
  if (func < 0) {
    for (const TStackLink& link : FItems[k].Links[ldInner].Links)
      if (link.Func < 0) return;
  }
  for (int i = k + 1; i < FItems.Count(); ++i) {
    if (FItems[i].Invalid) continue;
    TStackLink call;
    bool linked = true;
    if (func >= 0) {
      // The top item lies anywhere in T's code; the others behind one of T's calls.
      linked = FindCallEndingAt(func, FItems[i].AfterInstr, FItems[i].TopItem, call);
    } else {
      for (const TStackLink& own : FItems[i].Links[ldOuter].Links)
        if (own.Link == -1) call = own;
      call.Func = -1;
    }
    if (linked && !(!approve && HasApprovedOuterLinkOtherThan(i, call.CodeAddr))) FItems.LinkBothWays(k, i, call);
    if (FItems[i].DontKill) break;
  }
}

bool TTraceRun::HasLine(int index) const {
  const int module = FItems[index].Module;
  if (module < 0 || !M[module].mapFile) return false;
  return M[module].mapFile->FindLine(static_cast<uintptr_t>(FItems[index].AfterInstr - 1)) > 0;
}

int TTraceRun::LineBonus(int x, int linked) const {
  const int xModule = FItems[x].Module;
  if (xModule < 0 || FItems[linked].Module < 0 || !M[xModule].mapFile) return 0;
  if (!HasLine(x)) return 3;
  return HasLine(linked) ? 9 : 6;
}

int64_t TTraceRun::LinkQuality(int x, int z, bool strict) {
  if (Aborted()) return kNotReached;
  TStackLinkList& list = FItems[x].Links[z > x ? ldInner : ldOuter];
  int64_t best = kNotReached;
  list.Best = -1;
  for (size_t i = 0; i < list.Links.size(); ++i) {
    const int linked = list.Links[i].Link;
    // Only links towards z count; one beyond it leads away.
    if (linked == -1 || (z > x ? linked > z : linked < z)) continue;
    if (list.Links[i].Quality == 0) {
      const TStackLink link = list.Links[i];
      const bool known = link.Func >= 0;
      int64_t quality;
      if (link.Link == z) {
        quality = known ? kReachedKnown : kReachedUnknown;
      } else {
        quality = LinkQuality(link.Link, z, strict && known);
      }
      int exponent = 0;
      if (!known) {
        quality &= ~kStrictBit;
      } else {
        exponent = strict || (quality & kStrictBit) != 0 ? 28 : 14;
        if (F[link.Func].approved) exponent += 14;
      }
      exponent += LineBonus(x, link.Link);
      list.Links[i].Quality = quality + (int64_t{1} << exponent);
    }
    if (list.Links[i].Quality > best) {
      best = list.Links[i].Quality;
      list.Best = static_cast<int>(i);
    }
  }
  return best;
}

void TTraceRun::FollowBestLinks(int from, int to) {
  const TLinkDirection direction = to > from ? ldInner : ldOuter;
  int current = from;
  for (int steps = 0; steps < FItems.Count(); ++steps) {
    const TStackLinkList& list = FItems[current].Links[direction];
    if (list.Best < 0) return;
    const int next = list.Links[static_cast<size_t>(list.Best)].Link;
    const bool between = direction == ldInner ? next > current && next < to : next < current && next > to;
    if (!between) return;
    FItems[next].Invalid = false;
    current = next;
  }
}

void TTraceRun::RealizeOptimalLinkChains() {
  const int count = FItems.Count();
  if (count == 0) return;
  int inner = count - 1;
  for (int a = count - 2; a >= -1; --a) {
    if (Aborted()) return;
    if (a >= 0 && !(FItems[a].DontKill && !FItems[a].Invalid)) continue;
    Progress(650 + (count - 1 - std::max(a, 0)) * 350 / count);
    if (inner - a > 1) {
      for (int i = a + 1; i < inner; ++i) FItems[i].Invalid = true;
      const int64_t down = a >= 0 ? LinkQuality(a, inner, true) : 0;
      const int64_t up = (down & kReachedBit) != 0 ? 0 : LinkQuality(inner, a, true);
      if (down > up) {
        FollowBestLinks(a, inner);
      } else {
        FollowBestLinks(inner, a);
      }
    }
    inner = a;
  }
  Progress(1000);
}

}  // namespace palvetta
