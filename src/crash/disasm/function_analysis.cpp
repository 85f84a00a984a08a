#include "crash/disasm/function_analysis.h"

#include <algorithm>

#include "crash/disasm/decoder.h"

namespace palvetta {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr int kBoundInMemory = 100;

// Register state meeting at one place from two paths: what both agree on.
TRegisterState Meet(const TRegisterState& a, const TRegisterState& b) {
  TRegisterState result;
  for (int reg = 0; reg < TRegisterState::kCount; ++reg) {
    if (a.Known[reg] && b.Known[reg] && a.Value[reg] == b.Value[reg]) result.Set(reg, a.Value[reg], a.Place[reg]);
  }
  return result;
}

// A compare of a register with an immediate followed by an unsigned or signed "above"
// branch: the number of cases of a jump table indexed by that register.
struct TCaseBound {
  int Register = -1;
  uint64_t Count = 0;
  uint64_t ValidUntil = 0;  // the address of the instruction after the branch
};

TCodeArea OpenAreaAt(uint64_t begin, uint64_t calledFrom = 0, const TRegisterState& registers = {}) {
  TCodeArea area;
  area.AreaBegin = begin;
  area.CalledFrom = calledFrom;
  area.Registers = registers;
  return area;
}

class TAnalysis {
 public:
  TAnalysis(TCpuMode mode, uint64_t entry, const IMemoryReader& reader, const IModuleFacts& facts,
            const TRuntimeRoutines& routines)
      : FMode(mode), FReader(reader), FFacts(facts) {
    f.EntryPoint = entry;
    if (mode == TCpuMode::cm32) FRoutines = routines;
  }

  TFunctionInfo Run() {
    const uint64_t entry = f.EntryPoint;
    if (!FFacts.IsCommitted(entry)) return Fail(entry, kInvalidParameterError, FFacts.ErrorText(kInvalidParameterError));
    if (!FFacts.AllowedRange(entry, FAllowedBegin, FAllowedEnd)) {
      FAllowedBegin = entry;
      FAllowedEnd = entry + 0x100000;
    }
    FHasExtent = FMode == TCpuMode::cm64 && FFacts.FunctionExtent(entry, FExtentBegin, FExtentEnd);
    f.CodeAreas.reserve(8);
    f.CodeAreas.push_back(OpenAreaAt(entry));
    for (;;) {
      const size_t open = FindOpenArea();
      if (open != kNone) {
        if (!DecodeArea(open)) return f;
        continue;
      }
      if (RetryUnknownTargets()) continue;
      if (!TryGap()) break;
    }
    return Finish();
  }

 private:
  TCpuMode FMode;
  const IMemoryReader& FReader;
  const IModuleFacts& FFacts;
  TFunctionInfo f;
  TRuntimeRoutines FRoutines;
  uint64_t FPushedHandler = 0;  // a structured-exception frame's handler being set up
  uint64_t FAllowedBegin = 0, FAllowedEnd = 0;
  bool FHasExtent = false;
  uint64_t FExtentBegin = 0, FExtentEnd = 0;
  std::vector<uint64_t> FTriedGaps;
  // A jump table in the making (64-bit GCC: lea table; movsxd; add reg, table; jmp reg).
  TCaseBound FBound;
  int FTableRegister = -1;
  uint64_t FTableBase = 0;

  TFunctionInfo Fail(uint64_t address, uint32_t code, std::string text) {
    f.IsValid = false;
    f.LastErrorAddr = address;
    f.LastErrorNo = code;
    f.LastErrorStr = std::move(text);
    f.Copy.IsValid = false;
    f.Copy.LastErrorAddr = address;
    f.Copy.LastErrorNo = code;
    f.Copy.LastErrorStr = f.LastErrorStr;
    return f;
  }
  bool InvalidCode(uint64_t address) {
    Fail(address, kInvalidCodeError, "Invalid code!");
    return false;
  }

  bool IsRoutine(uint64_t target) const {
    return target != 0 && (target == FRoutines.HandleAnyException || target == FRoutines.HandleOnException ||
                           target == FRoutines.HandleAutoException || target == FRoutines.HandleFinally ||
                           target == FRoutines.Halt0 || target == FRoutines.CxxExceptionBlock);
  }
  bool NoReturn(uint64_t target) const {
    return target != 0 && (FFacts.IsNoReturn(target) || target == FRoutines.Halt0);
  }
  uint32_t ReadCardinal(uint64_t address, bool& ok) const {
    uint32_t value = 0;
    ok = FReader.Read(address, &value, 4);
    return value;
  }
  uint16_t ReadWord(uint64_t address, bool& ok) const {
    uint16_t value = 0;
    ok = FReader.Read(address, &value, 2);
    return value;
  }

  bool InFunction(uint64_t address) const {
    if (FHasExtent) return address >= FExtentBegin && address < FExtentEnd;
    return address >= FAllowedBegin && address < FAllowedEnd;
  }

  size_t FindOpenArea() const {
    for (size_t i = 0; i < f.CodeAreas.size(); ++i) {
      if (f.CodeAreas[i].AreaEnd == 0) return i;
    }
    return kNone;
  }

  // The area starting at address, or the one that holds it.
  size_t AreaStartingAt(uint64_t address) const {
    for (size_t i = 0; i < f.CodeAreas.size(); ++i) {
      if (f.CodeAreas[i].AreaBegin == address) return i;
    }
    return kNone;
  }
  size_t AreaHolding(uint64_t address) const {
    for (size_t i = 0; i < f.CodeAreas.size(); ++i) {
      const TCodeArea& area = f.CodeAreas[i];
      if (area.AreaEnd != 0 && address > area.AreaBegin && address <= area.AreaEnd) return i;
    }
    return kNone;
  }
  // The lowest area start above address (0: none).
  uint64_t NextAreaStart(uint64_t address) const {
    uint64_t next = 0;
    for (const TCodeArea& area : f.CodeAreas) {
      if (area.AreaBegin > address && (next == 0 || area.AreaBegin < next)) next = area.AreaBegin;
    }
    return next;
  }

  // Opens an area at a branch target (or splits the decoded area that holds it).
  void OpenArea(uint64_t target, uint64_t from, const TRegisterState& registers, size_t current, uint64_t& currentBegin) {
    if (const size_t at = AreaStartingAt(target); at != kNone) {
      TCodeArea& area = f.CodeAreas[at];
      if (area.CalledFrom == 0 && target != f.EntryPoint) area.CalledFrom = from;
      if (!(area.Registers == registers) && area.AreaEnd == 0) area.Registers = Meet(area.Registers, registers);
      return;
    }
    if (target > currentBegin && target <= from) {
      // Back into the area being decoded: it ends before the target, and the decoding
      // goes on in a new area from there (with nothing known at its start).
      TCodeArea& area = f.CodeAreas[current];
      area.AreaEnd = target - 1;
      f.CodeAreas.push_back(OpenAreaAt(target, from));
      std::swap(f.CodeAreas[current], f.CodeAreas.back());
      currentBegin = target;
      return;
    }
    if (const size_t holder = AreaHolding(target); holder != kNone) {
      TCodeArea second = OpenAreaAt(target, from);
      second.AreaEnd = f.CodeAreas[holder].AreaEnd;
      f.CodeAreas[holder].AreaEnd = target - 1;
      f.CodeAreas.push_back(second);
      return;
    }
    f.CodeAreas.push_back(OpenAreaAt(target, from, registers));
  }

  void AddFarCall(const TInstrInfo& info) {
    for (const TFarCall& call : f.FarCalls) {
      if (call.CodeAddr2 == info.Next) return;
    }
    DropUnknown(info.This);
    f.FarCalls.push_back({.Call = info.Call, .CodeAddr1 = info.This, .CodeAddr2 = info.Next,
                          .Target = ThroughThunk(info.Target), .RelTarget = info.RelTarget, .PTarget = info.PTarget,
                          .PPTarget = info.PPTarget});
  }

  // The target of a nameless one-instruction jump thunk when that target has a name.
  uint64_t ThroughThunk(uint64_t target) const {
    const TDecodedInstr thunk = DecodeDetailed(FMode, target, FReader, nullptr);
    const uint8_t op = thunk.OpcodeByte;
    const bool jump = thunk.Map == omOneByte && (op == 0xE9 || op == 0xEB || (op == 0xFF && (thunk.Reg & 7) == 4));
    if (!thunk.Info.IsValid || !jump || thunk.Info.Target == 0) return target;
    if (FFacts.HasPublicName(target) || !FFacts.HasPublicName(thunk.Info.Target)) return target;
    return thunk.Info.Target;
  }
  void DropUnknown(uint64_t address) {
    std::erase_if(f.UnknownTargets, [&](const TUnknownTarget& unknown) { return unknown.CodeAddr1 == address; });
  }
  void AddUnknown(const TInstrInfo& info) {
    for (const TUnknownTarget& unknown : f.UnknownTargets) {
      if (unknown.CodeAddr1 == info.This) return;
    }
    f.UnknownTargets.push_back({.Call = info.Call, .CodeAddr1 = info.This, .CodeAddr2 = info.Next});
  }

  // A branch with a known target: followed when it stays in the function, else a call
  // or jump to other code.
  void Branch(const TInstrInfo& info, const TRegisterState& registers, size_t current, uint64_t& currentBegin) {
    const bool far = (info.Call && info.TargetSize >= 4) || !InFunction(info.Target) || NoReturn(info.Target) ||
                     IsRoutine(info.Target) || (info.Jmp && info.PPTarget != 0);
    if (far) {
      AddFarCall(info);
      return;
    }
    DropUnknown(info.This);
    OpenArea(info.Target, info.This, registers, current, currentBegin);
  }

  static bool EndsFlow(const TDecodedInstr& d) {
    if (d.Map != omOneByte) return false;
    const uint8_t op = d.OpcodeByte;
    const bool ret = op == 0xC2 || op == 0xC3 || op == 0xCA || op == 0xCB || op == 0xCF;
    const bool jump = op == 0xE9 || op == 0xEA || op == 0xEB || (op == 0xFF && ((d.Reg & 7) == 4 || (d.Reg & 7) == 5));
    return ret || jump;
  }

  // Watches for the bound of a jump table and its base (register tracking gives the
  // value of lea reg,[rip+table]); returns the table's entries at the indirect jump.
  void WatchCaseTable(const TDecodedInstr& d, const TRegisterState& before, size_t current, uint64_t& currentBegin) {
    const bool oneByte = d.Map == omOneByte;
    const uint8_t op = d.OpcodeByte;
    if (oneByte && (op == 0x83 || op == 0x81) && (d.Reg & 7) == 7) {
      // Unoptimised code compares the variable in memory; the bound counts all the same.
      FBound = {.Register = d.Mod == 3 ? d.Rm : kBoundInMemory,
                .Count = op == 0x83 ? (d.Immediate & 0xFF) : (d.Immediate & 0xFFFF)};
      return;
    }
    if (FBound.Register >= 0 && FBound.ValidUntil == 0 && FBound.Count != 0) {
      const bool aboveShort = oneByte && (op == 0x77 || op == 0x7F);
      const bool aboveNear = d.Map == om0F && (op == 0x87 || op == 0x8F);
      const bool notBelowShort = oneByte && (op == 0x73 || op == 0x7D);
      const bool notBelowNear = d.Map == om0F && (op == 0x83 || op == 0x8D);
      if (aboveShort || aboveNear) FBound = {FBound.Register, FBound.Count + 1, d.Info.Next};
      else if (notBelowShort || notBelowNear) FBound = {FBound.Register, FBound.Count, d.Info.Next};
      else FBound = {};
      return;
    }
    if (FBound.ValidUntil == 0) return;
    // add reg, base: remember the base's value before the add.
    if (oneByte && (op == 0x01 || op == 0x03) && d.Mod == 3 && d.OperandSize == 8) {
      const int sum = op == 0x01 ? d.Rm : d.Reg;
      const int base = op == 0x01 ? d.Reg : d.Rm;
      if (before.Known[base]) {
        FTableRegister = sum;
        FTableBase = before.Value[base];
      }
      return;
    }
    if (!(oneByte && op == 0xFF && (d.Reg & 7) == 4)) return;
    if (FMode == TCpuMode::cm64 && d.Mod == 3 && d.Rm == FTableRegister) {
      RelativeTable(d, current, currentBegin);
    } else if (FMode == TCpuMode::cm32 && d.Mod != 3 && d.Memory.Base < 0 && d.Memory.Scale == 4 &&
               d.Memory.Index == FBound.Register) {
      AbsoluteTable(d, static_cast<uint64_t>(d.Memory.Displacement) & 0xFFFFFFFF, current, currentBegin);
    }
    FBound = {};
    FTableRegister = -1;
  }

  // GCC's 64-bit table: signed 4-byte offsets from the table's own address.
  void RelativeTable(const TDecodedInstr& d, size_t current, uint64_t& currentBegin) {
    const TRegisterState none;
    for (uint64_t i = 0; i < FBound.Count; ++i) {
      int32_t offset = 0;
      if (!FReader.Read(FTableBase + i * 4, &offset, 4)) break;
      const uint64_t target = FTableBase + static_cast<uint64_t>(static_cast<int64_t>(offset));
      if (InFunction(target)) OpenArea(target, d.Info.This, none, current, currentBegin);
    }
    DropUnknown(d.Info.This);
    FSuppressUnknown = d.Info.This;
  }

  // The 32-bit table of absolute 4-byte addresses; right behind the jump it is an area of
  // its own (data amid the code), elsewhere (GCC puts it among the read-only data) not.
  void AbsoluteTable(const TDecodedInstr& d, uint64_t table, size_t current, uint64_t& currentBegin) {
    const TRegisterState none;
    for (uint64_t i = 0; i < FBound.Count; ++i) {
      uint32_t target = 0;
      if (!FReader.Read(table + i * 4, &target, 4)) break;
      if (InFunction(target)) OpenArea(target, d.Info.This, none, current, currentBegin);
    }
    if (table == d.Info.Next && FBound.Count != 0) {
      TCodeArea caseTable = OpenAreaAt(table, d.Info.This);
      caseTable.AreaEnd = table + FBound.Count * 4 - 1;
      caseTable.CaseBlock = true;
      f.CodeAreas.push_back(caseTable);
    }
    DropUnknown(d.Info.This);
    FSuppressUnknown = d.Info.This;
  }
  uint64_t FSuppressUnknown = 0;
  uint64_t FLastNext = 0;

  // The 32-bit run time's exception support: handlers and finally blocks reached only
  // through the run time, and handlers of structured-exception frames.
  void RunTimeSupport(const TDecodedInstr& d, const TRegisterState& before, size_t current, uint64_t& currentBegin) {
    const TInstrInfo& info = d.Info;
    const TRegisterState none;
    const bool branch = (info.Call || info.Jmp) && info.Target != 0;
    if (branch && (info.Target == FRoutines.HandleAnyException || info.Target == FRoutines.HandleFinally ||
                   info.Target == FRoutines.HandleAutoException)) {
      OpenArea(info.Next, info.This, none, current, currentBegin);
      if (info.Target == FRoutines.HandleFinally) FinallyJumpBack(info, current, currentBegin);
    }
    if (branch && info.Target == FRoutines.HandleOnException) HandlerTable(info, current, currentBegin);
    if (branch && info.Target == FRoutines.CxxExceptionBlock && before.Known[0]) {
      ExceptionBlock(before.Value[0], info.This, current, currentBegin);
    }
    // push offset handler; then a push of fs:[0] (or fs:[reg] with reg known 0).
    if (d.Map == omOneByte && d.OpcodeByte == 0x68 && d.ImmediateSize == 4) {
      uint8_t nextByte = 0;
      FPushedHandler = FReader.Read(info.Next, &nextByte, 1) && nextByte == 0x64 ? d.Immediate : 0;
      return;
    }
    if (FPushedHandler != 0 && d.Segment == 4 && d.Map == omOneByte && d.OpcodeByte == 0xFF && (d.Reg & 7) == 6) {
      const TMemoryOperand& m = d.Memory;
      const bool zeroCell = (m.Base < 0 && m.Index < 0 && m.Displacement == 0) ||
                            (m.Base >= 0 && m.Index < 0 && m.Displacement == 0 && before.Known[m.Base] &&
                             before.Value[m.Base] == 0);
      if (zeroCell && InFunction(FPushedHandler)) OpenArea(FPushedHandler, info.This, none, current, currentBegin);
      FPushedHandler = 0;
    }
  }

  // After a call of the finally routine a jump back to a place behind "push offset X"
  // makes X code too.
  void FinallyJumpBack(const TInstrInfo& call, size_t current, uint64_t& currentBegin) {
    const TInstrInfo jump = DecodeInstruction(FMode, call.Next, FReader);
    if (!jump.IsValid || !jump.Jmp || jump.Target < f.EntryPoint || jump.Target >= call.This) return;
    uint8_t push = 0;
    bool ok = false;
    if (!FReader.Read(jump.Target - 5, &push, 1) || push != 0x68) return;
    const uint32_t pushed = ReadCardinal(jump.Target - 4, ok);
    if (ok && InFunction(pushed)) OpenArea(pushed, call.This, TRegisterState(), current, currentBegin);
  }

  // The table behind a call of the on-exception routine: a count, then class and handler
  // pairs.
  void HandlerTable(const TInstrInfo& call, size_t current, uint64_t& currentBegin) {
    bool ok = false;
    const uint32_t count = ReadCardinal(call.Next, ok);
    if (!ok || count >= 256) return;
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t handler = ReadCardinal(call.Next + 4 + i * 8 + 4, ok);
      if (ok && InFunction(handler)) OpenArea(handler, call.This, TRegisterState(), current, currentBegin);
    }
    TCodeArea table = OpenAreaAt(call.Next, call.This);
    table.AreaEnd = call.Next + count * 8 + 4 - 1;
    table.OnExceptBlock = true;
    if (const size_t at = AreaStartingAt(call.Next); at != kNone) {
      f.CodeAreas[at] = table;
    } else {
      f.CodeAreas.push_back(table);
    }
  }

  // The C++ run time's exception block, whose descriptor eAX points to.
  void ExceptionBlock(uint64_t descriptor, uint64_t from, size_t current, uint64_t& currentBegin) {
    bool ok = false;
    const uint16_t kind = ReadWord(descriptor + 10, ok);
    if (!ok) return;
    auto open = [&](uint64_t cell) {
      bool read = false;
      const uint32_t target = ReadCardinal(cell, read);
      if (read && InFunction(target)) OpenArea(target, from, TRegisterState(), current, currentBegin);
    };
    if (kind == 0) open(descriptor + 12);
    if (kind == 1 || kind == 2) open(descriptor + 16);
    if (kind == 3) {
      const uint32_t list = ReadCardinal(descriptor + 12, ok);
      for (uint64_t entry = list + 8; ok; entry += 20) {
        const uint32_t handler = ReadCardinal(entry, ok);
        if (!ok || handler == 0) break;
        open(entry);
      }
    }
  }

  bool DecodeArea(size_t index) {
    uint64_t begin = f.CodeAreas[index].AreaBegin;
    TRegisterState registers = f.CodeAreas[index].Registers;
    uint64_t address = begin;
    if (begin != FLastNext) {  // a table's bound holds only along one path of code
      FBound = {};
      FTableRegister = -1;
    }
    for (;;) {
      if (address != begin && AreaStartingAt(address) != kNone) {
        f.CodeAreas[index].AreaEnd = address - 1;
        return true;
      }
      const TRegisterState before = registers;
      const TDecodedInstr d = DecodeDetailed(FMode, address, FReader, &registers);
      const TInstrInfo& info = d.Info;
      const uint64_t next = NextAreaStart(address);
      FLastNext = info.Next;
      if (!info.IsValid || (next != 0 && info.Next > next)) return InvalidCode(address);
      WatchCaseTable(d, before, index, begin);
      if (info.Call || info.Jmp) {
        if (info.Target != 0) {
          Branch(info, before, index, begin);
        } else if (FSuppressUnknown != info.This) {
          AddUnknown(info);
        }
      }
      // A handler table follows the call of the on-exception routine.
      const bool noReturn = info.Call && (NoReturn(info.Target) || (info.Target != 0 && info.Target == FRoutines.HandleOnException));
      if (FMode == TCpuMode::cm32) RunTimeSupport(d, before, index, begin);
      if (EndsFlow(d) || noReturn) {
        f.CodeAreas[index].AreaEnd = info.Next - 1;
        return true;
      }
      if (!(registers == before) && !info.Call) {
        // Every area keeps one register state at its start: the next instruction opens
        // a new area (or joins one), and the decoding goes on in it.
        f.CodeAreas[index].AreaEnd = info.Next - 1;
        if (AreaStartingAt(info.Next) != kNone) return true;
        f.CodeAreas.push_back(OpenAreaAt(info.Next, 0, registers));
        index = f.CodeAreas.size() - 1;
        begin = info.Next;
      }
      address = info.Next;
    }
  }

  // Unknown targets decoded again with their area's register state.
  bool RetryUnknownTargets() {
    bool opened = false;
    const std::vector<TUnknownTarget> unknowns = f.UnknownTargets;
    for (const TUnknownTarget& unknown : unknowns) {
      const size_t area = AreaHolding(unknown.CodeAddr1) != kNone ? AreaHolding(unknown.CodeAddr1)
                                                                  : AreaStartingAt(unknown.CodeAddr1);
      if (area == kNone) continue;
      TRegisterState registers = f.CodeAreas[area].Registers;
      const TInstrInfo info = DecodeInstruction(FMode, unknown.CodeAddr1, FReader, &registers);
      if (info.Target == 0) continue;
      const size_t before = f.CodeAreas.size();
      uint64_t begin = f.CodeAreas[area].AreaBegin;
      Branch(info, f.CodeAreas[area].Registers, area, begin);
      opened |= f.CodeAreas.size() != before && FindOpenArea() != kNone;
    }
    return opened;
  }

  // After an indirect jump whose targets stay unknown, the code right behind the areas
  // from the start is tried, when it is close to the start.
  bool TryGap() {
    const bool unknownJump = std::any_of(f.UnknownTargets.begin(), f.UnknownTargets.end(),
                                         [](const TUnknownTarget& unknown) { return !unknown.Call; });
    if (!unknownJump) return false;
    SortAreas();
    const uint64_t codeBegin = f.CodeAreas.front().AreaBegin;
    uint64_t end = f.CodeAreas.front().AreaEnd;
    for (const TCodeArea& area : f.CodeAreas) {
      if (area.AreaBegin <= end + 1) end = std::max(end, area.AreaEnd);
    }
    const uint64_t gap = end + 1;
    if (gap - codeBegin >= kGapTryLimit || !InFunction(gap) || !FFacts.IsCommitted(gap)) return false;
    if (std::find(FTriedGaps.begin(), FTriedGaps.end(), gap) != FTriedGaps.end()) return false;
    FTriedGaps.push_back(gap);
    const TFunctionInfo saved = f;
    f.CodeAreas.push_back(OpenAreaAt(gap));
    for (size_t open = FindOpenArea(); open != kNone; open = FindOpenArea()) {
      if (!DecodeArea(open)) {
        f = saved;  // the try is dropped
        return false;
      }
    }
    return true;
  }

  void SortAreas() {
    std::sort(f.CodeAreas.begin(), f.CodeAreas.end(),
              [](const TCodeArea& a, const TCodeArea& b) { return a.AreaBegin < b.AreaBegin; });
  }

  TFunctionInfo Finish() {
    SortAreas();
    f.IsValid = true;
    f.CodeBegin = f.CodeAreas.front().AreaBegin;
    uint64_t end = 0;
    for (const TCodeArea& area : f.CodeAreas) end = std::max(end, area.AreaEnd);
    f.CodeLen = static_cast<int>(end - f.CodeBegin + 1);
    f.Copy.IsValid = true;
    f.Copy.BufferLen = f.CodeLen + 4;
    for (const TFarCall& call : f.FarCalls) {
      if (call.PPTarget != 0) f.Copy.BufferLen += 4;
    }
    f.Interceptable = Interceptable();
    return f;
  }

  bool Interceptable() const {
    uint64_t covered = f.EntryPoint;
    for (bool grown = true; grown;) {
      grown = false;
      for (const TCodeArea& area : f.CodeAreas) {
        const bool plain = !area.CaseBlock && !area.OnExceptBlock && (area.CalledFrom == 0 || area.AreaBegin == f.EntryPoint);
        if (plain && area.AreaBegin == covered) {
          covered = area.AreaEnd + 1;
          grown = true;
        }
      }
    }
    if (covered - f.EntryPoint <= 5) return false;
    for (uint64_t address = f.EntryPoint; address < f.EntryPoint + 6;) {
      const TInstrInfo info = DecodeInstruction(FMode, address, FReader);
      if ((info.Call || info.Jmp) && info.RelTarget && info.TargetSize < 4 && !info.Enlargeable) return false;
      address = info.Next;
    }
    return true;
  }
};

}  // namespace

TFunctionInfo AnalyzeFunction(TCpuMode mode, uint64_t entry, const IMemoryReader& reader, const IModuleFacts& facts,
                              const TRuntimeRoutines& routines) {
  return TAnalysis(mode, entry, reader, facts, routines).Run();
}

}  // namespace palvetta
