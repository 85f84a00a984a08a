// Collecting: which captured values are frames. A value must follow a call instruction in
// mapped code; where the function holding it can be analysed, the call must be one the
// function's code really makes.
#include <array>

#include "base/text_search.h"
#include "crash/disasm/decoder.h"
#include "crash/stack/call_site.h"
#include "crash/stack/trace_run.h"

namespace palvetta {
namespace {

// Routines whose call raises: an exception address just behind such a call is shown at the
// call. The last one catches the run time's error routines by name.
constexpr std::array<std::string_view, 5> kRaisingNames = {"RaiseExcept", "__cxa_throw", "__cxa_rethrow",
                                                           "_CxxThrowException", "Error"};

TStackLink CallLink(const TCallSite& site) {
  TStackLink link;
  link.CodeAddr = site.CallAddr;
  link.HasTarget = site.HasTarget;
  link.Target = site.Target;
  return link;
}

}  // namespace

bool TTraceRun::Aborted() const { return R.Abort != nullptr && R.Abort->load(); }

void TTraceRun::Progress(int position) const {
  if (R.Progress != nullptr) R.Progress->SetPosition(position);
}

void TTraceRun::CollectPossibleStackItems() {
  if (R.FirstAddress != 0) Offer(R.FirstAddress, true, false, true, nullptr);
  const size_t count = R.Collected.size();
  for (size_t i = 0; i < count; ++i) {
    if (Aborted()) return;
    Progress(static_cast<int>(i * 25 / count));
    const TStackCandidate& candidate = R.Collected[i];
    if (!candidate.Valid) continue;
    // A slot holding the exception address is where the raising began: the scan ends there.
    const bool top = R.ExceptionFlag && candidate.AfterInstr == R.CurrentAddress;
    Offer(candidate.AfterInstr, candidate.Anchor, top, false, &candidate.Call);
    if (top && FItems.Count() > 0 && FItems[FItems.Count() - 1].TopItem) return;
  }
  if (!R.NoCurrentAddress && !(FItems.Count() > 0 && FItems[FItems.Count() - 1].TopItem)) {
    Offer(R.CurrentAddress, false, true, false, nullptr);
    FCurrentAdded = FItems.Count() > 0 && FItems[FItems.Count() - 1].TopItem;
  }
}

void TTraceRun::Offer(uint64_t value, bool anchor, bool top, bool first, const TCallSite* captured) {
  const bool goesOn = top || first;  // kept even when nothing confirms them
  const uint64_t testAddr = top ? value : value - 1;
  uint64_t afterInstr = value;
  TStackLink call;
  bool hasCall = false;
  if (top) {
    uint8_t bytes[8];
    if (S.reader->Read(value, bytes, sizeof bytes)) {
      const TInstrInfo next = DecodeInstruction(TCpuMode::cm64, value, *S.reader);
      if (next.IsValid && next.Next > value) afterInstr = next.Next;
    }
    call.CodeAddr = value;
    hasCall = true;
  }

  uint64_t base = 0;
  const bool committed = S.modules->AllocationBase(testAddr, base);
  if (!goesOn) {
    if (!committed || afterInstr <= 7) return;
    TCallSite site;
    if (captured != nullptr && captured->CallAddr != 0 && captured->CallAddr != afterInstr) {
      site = *captured;
    } else if (!palvetta::FindCallEndingAt(*S.reader, afterInstr, site)) {
      if (!anchor) return;
      site = {};
    }
    if (site.CallAddr != 0) {
      call = CallLink(site);
      hasCall = true;
    }
  }

  const int module = committed ? M.Register(testAddr) : -1;
  const bool accepted = module < 0 || M[module].InCode(afterInstr) || M[module].InData(afterInstr);
  if (!accepted && !goesOn && !anchor) return;

  // Candidates outside a module's code count as confirmed: there is no code to check.
  TStackLink found = call;
  const bool inCode = module >= 0 && M[module].InCode(afterInstr);
  bool confirmed = !inCode || ConfirmCall(module, testAddr, afterInstr, top, found);
  if (confirmed) {
    call = found;
    hasCall = hasCall || call.CodeAddr != 0;
  }
  // An unconfirmed top item keeps its own address as its call address (set above); with an
  // exact exception address that cannot even be read, it stands for an empty function.
  uint8_t byte = 0;
  if (top && !confirmed && R.ExceptionFlag && R.ExactAddress && !S.reader->Read(value, &byte, 1)) {
    call.Func = F.AddAnalysedFunction(afterInstr, {}, module, true, true);
    confirmed = true;
  }
  if (!(goesOn || confirmed || anchor)) return;

  TInternalStackItem item;
  item.AfterInstr = afterInstr;
  item.Module = module;
  item.DontKill = top || anchor || first;
  item.TopItem = top && !first;
  if (hasCall) {
    call.Link = -1;
    item.Links[ldOuter].Links.push_back(call);
  }
  FItems.Items().push_back(std::move(item));
}

bool TTraceRun::ConfirmCall(int module, uint64_t testAddr, uint64_t afterInstr, bool top, TStackLink& call) {
  const TCachedModule& m = M[module];
  if (m.mapFile) {
    const TMfPublic pub = m.mapFile->FindPublic(static_cast<uintptr_t>(testAddr));
    if (pub.IsValid) {
      const int func = F.AddAnalysedFunction(pub.Address, pub.Name, module, true, false);
      if (FindCallEndingAt(func, afterInstr, top, call)) return true;
      // Code the analysis reached only through a jump inside the same public (a label).
      const std::vector<TFarCall> calls = F[func].fi.FarCalls;
      for (const TFarCall& far : calls) {
        if (far.Target == 0) continue;
        const TMfPublic holder = m.mapFile->FindPublic(static_cast<uintptr_t>(far.Target));
        if (!holder.IsValid || holder.Address != pub.Address) continue;
        const int label = F.AddAnalysedFunction(far.Target, pub.Name + ".@label", module, true, false);
        if (FindCallEndingAt(label, afterInstr, top, call)) return true;
      }
      return false;
    }
  }
  if (m.own) return true;
  const uint64_t start = S.modules->FunctionStartBelow(m, testAddr);
  if (start == 0) return true;
  const int func = F.AddAnalysedFunction(start, {}, module, true, false);
  if (!FunctionHolds(F[func].fi, afterInstr)) return true;
  return FindCallEndingAt(func, afterInstr, top, call);
}

bool TTraceRun::FindCallEndingAt(int func, uint64_t afterInstr, bool top, TStackLink& call) {
  const TCachedFunction& function = F[func];
  if (function.invalid || !function.fi.IsValid) return false;
  const TFunctionInfo& fi = function.fi;
  const auto found = [&](uint64_t codeAddr, bool hasTarget, uint64_t target) {
    call.CodeAddr = codeAddr;
    call.HasTarget = hasTarget;
    call.Target = target;
    call.Func = func;
    return true;
  };
  if (!top) {
    for (const TUnknownTarget& unknown : fi.UnknownTargets)
      if (unknown.Call && unknown.CodeAddr2 == afterInstr) return found(unknown.CodeAddr1, false, 0);
    for (const TFarCall& far : fi.FarCalls)
      if (far.Call && far.CodeAddr2 == afterInstr) return found(far.CodeAddr1, far.Target != 0, far.Target);
    return false;
  }
  if (fi.CodeLen == 0 && fi.CodeAreas.empty()) {
    if (fi.EntryPoint != afterInstr) return false;
    call.Func = func;
    return true;
  }
  if (!R.ExactAddress) {
    // Raised by a call of a raising routine: the frame is shown at that call. Naming the
    // target registers modules only; the function cache, and so fi, stays as it is.
    for (const TFarCall& far : fi.FarCalls)
      if (far.Call && far.CodeAddr2 == R.CurrentAddress && far.Target != 0 && CallsRaisingRoutine(far.Target))
        return found(far.CodeAddr1, true, far.Target);
  }
  if (!EndsAtInstruction(fi, afterInstr)) return false;
  call.Func = func;
  return true;
}

bool TTraceRun::EndsAtInstruction(const TFunctionInfo& fi, uint64_t afterInstr) const {
  const TCodeArea* area = AreaHolding(fi, afterInstr);
  if (area == nullptr) return false;
  uint64_t address = area->AreaBegin;
  while (address < afterInstr) {
    const TInstrInfo info = DecodeInstruction(TCpuMode::cm64, address, *S.reader);
    if (!info.IsValid || info.Next <= address) return false;
    address = info.Next;
  }
  return address == afterInstr;
}

bool TTraceRun::CallsRaisingRoutine(uint64_t target) {
  const std::string name = F.NameAt(target, M.ModuleOf(target));
  for (const std::string_view part : kRaisingNames)
    if (PosTextA(part, name) != kNotFound) return true;
  return false;
}

}  // namespace palvetta
