// Naming: each kept candidate's frame address, module, unit, line and function, the run
// time's own frames hidden, and the stack lines.
#include <algorithm>
#include <array>

#include "crash/stack/trace_run.h"
#include "system/demangle.h"

namespace palvetta {
namespace {

// The C++ run time's throw routines: with a C++ termination their frames and everything
// inner are the run time's, not the program's.
constexpr std::array<std::string_view, 3> kThrowRoutines = {"__cxa_throw", "__cxa_rethrow", "_CxxThrowException"};
// The exception dispatch: after a prepared stack these frames and what lies inner are the
// system's and the run time's handling of the exception, not the program.
constexpr std::array<std::string_view, 8> kDispatchFrames = {
    "_GCC_specific_handler", "__gxx_personality_seh0",   "__C_specific_handler", "__CxxFrameHandler3",
    "__CxxFrameHandler4",    "RtlpExecuteHandlerForException", "RtlDispatchException", "KiUserExceptionDispatcher"};

template <size_t N>
bool IsOneOf(const std::string& name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Unmangled(const std::string& name) {
  if (std::optional<std::string> readable = DemangleSymbol(name)) return *readable;
  return name;
}

}  // namespace

void TTraceRun::NameFrame(TInternalStackItem& item, TTraceResult& result) {
  TFinalOutput& out = item.FinalOutput;
  out = TFinalOutput();
  const TStackLink* approved = nullptr;
  for (const TStackLink& link : item.Links[ldOuter].Links)
    if (link.CodeAddr != 0 && link.Func >= 0 && F[link.Func].approved && !F[link.Func].invalid) {
      approved = &link;
      break;
    }
  const TStackLinkList& inner = item.Links[ldInner];
  if (approved != nullptr) {
    out.Addr = approved->CodeAddr;
    out.PublicName = Unmangled(F[approved->Func].name);
    out.PublicAddr = F[approved->Func].fi.EntryPoint;
  } else if (!item.Links[ldOuter].Links.empty() && item.Links[ldOuter].Links.front().CodeAddr != 0) {
    out.Addr = item.Links[ldOuter].Links.front().CodeAddr;
  } else if (inner.Best >= 0 && inner.Links[static_cast<size_t>(inner.Best)].CodeAddr != 0) {
    out.Addr = inner.Links[static_cast<size_t>(inner.Best)].CodeAddr;
  } else {
    out.Addr = item.AfterInstr;
  }

  if (item.Module < 0) {
    out.ModuleName = "???";
    return;
  }
  const TCachedModule& module = M[item.Module];
  out.ModuleName = module.name;
  if (!module.mapFile) return;
  const TMapFile& map = *module.mapFile;
  const auto address = static_cast<uintptr_t>(out.Addr);
  if (out.PublicName.empty()) {
    const TMfPublic found = map.FindPublic(address);
    if (found.IsValid) {
      out.PublicName = Unmangled(found.Name);
      out.PublicAddr = found.Address;
    }
  }
  out.UnitName = map.FindSegment(true, address).Unit_;
  out.Line = std::max(map.FindLine(address), 0);
  if (out.Line > 0 && R.Lines.ShowRelativeLines && out.PublicAddr != 0) {
    const int32_t functionLine = map.FindLine(static_cast<uintptr_t>(out.PublicAddr));
    if (functionLine > 0) {
      out.PublicLine = out.Line;
      out.Line -= functionLine;
    }
  }
  if (!map.MinDebugInfo().empty()) {
    const std::string entry = module.name + "|" + map.MinDebugInfo();
    if (std::find(result.DebugInfo.begin(), result.DebugInfo.end(), entry) == result.DebugInfo.end())
      result.DebugInfo.push_back(entry);
  }
}

void TTraceRun::FillFinalOutput(TTraceResult& result) {
  bool innermost = true;
  for (int i = FItems.Count() - 1; i >= 0; --i) {
    if (Aborted()) return;
    if (FItems[i].Invalid) continue;
    NameFrame(FItems[i], result);
    if (innermost) result.InnermostAddr = FItems[i].FinalOutput.Addr;
    innermost = false;
  }
  HideRunTimeFrames();
}

void TTraceRun::HideRunTimeFrames() {
  const auto hideFrom = [&](int index, bool keepInnermost) {
    const int last = FItems.Count() - 1;
    for (int i = index; i <= last; ++i)
      if (!(keepInnermost && i == last)) FItems[i].Invalid = true;
  };
  for (int i = FItems.Count() - 1; i >= 0 && R.CxxTermination; --i) {
    if (FItems[i].Invalid || !IsOneOf(FItems[i].FinalOutput.PublicName, kThrowRoutines)) continue;
    hideFrom(i, false);
    break;
  }
  if (!(R.FromPreparedStack && FCurrentAdded)) return;
  for (int i = FItems.Count() - 2; i >= 0; --i) {
    if (FItems[i].Invalid || !IsOneOf(FItems[i].FinalOutput.PublicName, kDispatchFrames)) continue;
    hideFrom(i, true);
    // The rest of the dispatch just outside, up to the first other named frame.
    for (int k = i - 1; k >= 0; --k) {
      if (FItems[k].Invalid || FItems[k].FinalOutput.PublicName.empty()) continue;
      if (!IsOneOf(FItems[k].FinalOutput.PublicName, kDispatchFrames)) break;
      FItems[k].Invalid = true;
    }
    break;
  }
}

void TTraceRun::ComposeResult(TTraceResult& result) const {
  std::vector<TStackFrame> frames;
  for (int i = FItems.Count() - 1; i >= 0; --i) {
    const TInternalStackItem& item = FItems[i];
    if (item.Invalid) continue;
    TStackFrame frame;
    frame.Addr = item.FinalOutput.Addr;
    frame.PublicAddr = item.FinalOutput.PublicAddr;
    frame.ModuleName = item.FinalOutput.ModuleName;
    frame.UnitName = item.FinalOutput.UnitName;
    frame.Line = item.FinalOutput.Line;
    frame.PublicLine = item.FinalOutput.PublicLine;
    frame.PublicName = item.FinalOutput.PublicName;
    frame.TopItem = item.TopItem;
    frame.CreationItem = i == 0 && R.FirstAddress != 0;
    frames.push_back(std::move(frame));
  }
  result.Stack = ComposeStackText(frames, R.Lines);
  // The innermost shown frame with a known start, preferring one with a line.
  const TStackFrame* located = nullptr;
  for (const size_t index : result.Stack.Shown) {
    const TStackFrame& frame = frames[index];
    if (frame.PublicAddr == 0) continue;
    const bool hasLine = frame.Line > 0 || frame.PublicLine > 0;
    if (hasLine) {
      located = &frame;
      break;
    }
    if (located == nullptr) located = &frame;
  }
  if (located != nullptr) {
    result.FunctionStart = located->PublicAddr;
    result.Location = located->Addr;
  }
}

}  // namespace palvetta
