#include "crash/disasm/decoder.h"

#include "crash/disasm/mnemonic_forms.h"
#include "crash/disasm/opcode_tables.h"

namespace palvetta {
namespace {

using namespace disasm;

constexpr int kRegAx = 0, kRegCx = 1, kRegSp = 4;

struct TFixedEffect {
  uint8_t Map;
  uint8_t Opcode;
  uint16_t Registers;
};
constexpr TFixedEffect kFixedEffects[] = {
#define FIXED_EFFECT(map, opcode, mask) {map, opcode, mask},
#include "crash/disasm/register_effects.inc"
#undef FIXED_EFFECT
};

// The registers a call leaves undefined: eAX, eCX, eDX, and in 64-bit mode r8..r11.
constexpr uint16_t kCallClobbered32 = 0x0007;
constexpr uint16_t kCallClobbered64 = 0x0F07;

// The opcodes that 64-bit mode reads as prefixes (REX) and the segment prefixes by number.
constexpr uint8_t kSegmentPrefixes[] = {0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65};

int SegmentOfPrefix(uint8_t byte) noexcept {
  for (int i = 0; i < 6; ++i) {
    if (kSegmentPrefixes[i] == byte) return i;
  }
  return -1;
}

int64_t SignExtend(uint64_t value, int bytes) noexcept {
  if (bytes <= 0 || bytes >= 8) return static_cast<int64_t>(value);
  const int shift = 64 - bytes * 8;
  return static_cast<int64_t>(value << shift) >> shift;
}

class TDecoder {
 public:
  TDecoder(TCpuMode mode, uint64_t address, const IMemoryReader& reader, TRegisterState* registers,
           TDecodedInstr& out) noexcept
      : FReader(reader), FRegisters(registers), d(out) {
    d.Mode = mode;
    d.Info.This = address;
    FIs64 = mode == TCpuMode::cm64;
  }

  void Run() noexcept {
    Fetch();
    d.Info.IsValid = Decode();
    d.Info.Next = d.Info.This + static_cast<uint64_t>(d.Length);
    if (!d.Info.IsValid) {
      const TInstrInfo keep{.This = d.Info.This, .Next = d.Info.This + 1};
      d.Info = keep;
      d.Length = 1;
      return;
    }
    ResolveRipRelative();
    FindTarget();
    if (FRegisters) TrackRegisters();
  }

 private:
  const IMemoryReader& FReader;
  TRegisterState* FRegisters;
  TDecodedInstr& d;
  bool FIs64 = false;
  uint8_t FWindow[kMaxInstructionLength] = {};
  int FAvailable = 0;
  int FLastRepeat = 0;  // 0xF2 or 0xF3, whichever came last

  void Fetch() noexcept {
    if (FReader.Read(d.Info.This, FWindow, kMaxInstructionLength)) {
      FAvailable = kMaxInstructionLength;
      return;
    }
    // Near the end of readable memory: take the bytes up to the first that fails.
    while (FAvailable < kMaxInstructionLength &&
           FReader.Read(d.Info.This + static_cast<uint64_t>(FAvailable), &FWindow[FAvailable], 1)) {
      ++FAvailable;
    }
  }

  bool Next(uint8_t& byte) noexcept {
    if (d.Length >= FAvailable) return false;
    byte = FWindow[d.Length];
    d.Bytes[d.Length++] = byte;
    return true;
  }
  bool Peek(uint8_t& byte) const noexcept {
    if (d.Length >= FAvailable) return false;
    byte = FWindow[d.Length];
    return true;
  }
  bool ReadValue(int size, uint64_t& value) noexcept {
    value = 0;
    for (int i = 0; i < size; ++i) {
      uint8_t byte;
      if (!Next(byte)) return false;
      value |= static_cast<uint64_t>(byte) << (8 * i);
    }
    return true;
  }

  bool RexW() const noexcept { return (d.Rex & 8) != 0; }
  bool RexR() const noexcept { return (d.Rex & 4) != 0; }
  bool RexX() const noexcept { return (d.Rex & 2) != 0; }
  bool RexB() const noexcept { return (d.Rex & 1) != 0; }

  bool Prefixes(uint8_t& opcode) noexcept {
    for (;;) {
      if (!Next(opcode)) return false;
      if (const int segment = SegmentOfPrefix(opcode); segment >= 0) {
        d.Segment = segment;
      } else if (opcode == 0x66) {
        d.OperandSizePrefix = true;
      } else if (opcode == 0x67) {
        d.AddressSizePrefix = true;
      } else if (opcode == 0xF0) {
        d.Lock = true;
      } else if (opcode == 0xF2 || opcode == 0xF3) {
        FLastRepeat = opcode;
      } else if (FIs64 && (opcode & 0xF0) == 0x40) {
        d.Rex = opcode;
        continue;  // a REX prefix counts only right before the opcode
      } else {
        return true;
      }
      d.Rex = 0;
    }
  }

  bool Decode() noexcept {
    uint8_t opcode;
    if (!Prefixes(opcode)) return false;
    d.AddressSize = FIs64 ? (d.AddressSizePrefix ? 4 : 8) : (d.AddressSizePrefix ? 2 : 4);
    d.OpcodeByte = opcode;
    int map = 0;
    const TOpcodeEntry* entry = &kOneByteOpcodes[opcode];
    if (opcode == 0x0F) {
      if (!Next(opcode)) return false;
      d.Map = om0F;
      d.OpcodeByte = opcode;
      map = 1;
      entry = &kTwoByteOpcodes[opcode];
    }
    d.Info.Opcode = map == 1 ? 0x0F00u + opcode : opcode;
    d.Desc = entry->Desc;
    d.Attr = entry->Attr;
    uint16_t mnemonic = entry->Mnemonic;

    TSpecialKind special = (d.Attr & xSpecial) ? SpecialKind(map, opcode) : skNone;
    switch (special) {
      case skMap0F38:
      case skMap0F3A:
        return DecodeThreeByte(special == skMap0F3A);
      case skVexOrLoadPointer:
      case skEvexOrBound:
        if (FIs64 || PeekIsRegisterForm()) return DecodeVex(opcode);
        break;
      case skXopOrPop:
        if (PeekIsXop()) return DecodeVex(opcode);
        break;
      default:
        break;
    }
    if (d.Desc == kInvalidDesc) return false;
    if (FIs64 && (d.Attr & xI64)) return false;
    if (FIs64) {
      if (const uint16_t renamed = Mnemonic64(map, opcode, RexW())) mnemonic = renamed;
      if (special == skArplOrMovsxd) d.Desc = rV | mV | oR | eR;
    }

    const TPrefixForm prefixForm = ChoosePrefixForm(map, MnemonicText(mnemonic));
    SetOperandSize();

    if (RmKind(d.Desc) != 0 && !ModRm(special == skControlRegister)) return false;
    // Near indirect calls and jumps and push take 64-bit operands by default.
    if (FIs64 && special == skIndirectBranch && !RexW() && ((d.Reg & 7) == 2 || (d.Reg & 7) == 4 || (d.Reg & 7) == 6)) {
      d.OperandSize = d.OperandSizePrefix ? 2 : 8;
    }
    TFormChoice choice{.Reg = d.Reg & 7, .Rm = d.Rm & 7, .RegisterForm = d.Mod == 3, .Prefix = prefixForm};
    if (RmKind(d.Desc) == RmKind(mG)) {
      const TGroupEntry* group = FindGroup(opcode);
      if (!group) return false;
      d.Desc = d.Mod == 3 ? group->Register[d.Reg & 7] : group->Memory[d.Reg & 7];
      if (d.Desc == kInvalidDesc) return false;
      mnemonic = group->Mnemonic;
      d.Fpu = opcode >= 0xD8 && opcode <= 0xDF;
    }
    if (special == sk3DNow) return !d.Lock && Decode3DNow();
    const TSelectedForm selected = SelectForm(MnemonicText(mnemonic), choice);
    d.Mnemonic = selected.Text;
    d.RmInMnemonic = selected.ByRm;
    if (d.Mnemonic.empty()) return false;
    const uint8_t repeat = d.Rep ? 0xF3 : d.Repne ? 0xF2 : 0;
    if (const uint16_t alias = AliasMnemonic(map, opcode, d.HasModRm ? d.Info.ModRm : -1, repeat)) {
      d.Mnemonic = MnemonicText(alias);
      d.Rep = d.Repne = false;
      d.RmInMnemonic = true;
    }
    if (map == 1 && opcode == 0xC7 && FIs64 && RexW() && d.Mnemonic == "cmpxchg8b") {
      d.Mnemonic = MnemonicText(mnCmpxchg16b);
    }
    if ((d.Attr & xMemOnly) && d.Mod == 3) return false;
    if ((d.Attr & xRegOnly) && d.HasModRm && d.Mod != 3) return false;
    if ((d.Attr & xNeed66) && prefixForm != px66) return false;
    if (!SpecialValidity(map, opcode, special)) return false;
    if (d.Lock && (d.Mod == 3 || !d.HasModRm || !IsLockable(map, opcode, d.Reg))) return false;
    return Immediates(special) && d.Length <= kMaxInstructionLength;
  }

  // AMD's XOP escape shares 8F with pop, whose reg field is 0; XOP's map numbers start at 8.
  bool PeekIsXop() const noexcept {
    uint8_t next;
    return Peek(next) && (next & 0x1F) >= 8;
  }

  bool PeekIsRegisterForm() const noexcept {
    uint8_t next;
    return Peek(next) && (next & 0xC0) == 0xC0;
  }

  TPrefixForm ChoosePrefixForm(int map, std::string_view entry) noexcept {
    TPrefixForm form = pxNone;
    if (map == 1 && FLastRepeat != 0 && HasPrefixForms(entry)) {
      const TPrefixForm repeat = FLastRepeat == 0xF2 ? pxF2 : pxF3;
      if (FormTakesPrefix(entry, repeat)) form = repeat;
    }
    if (form == pxNone && d.OperandSizePrefix && HasPrefixForms(entry) &&
        (map == 1 || FormTakesPrefix(entry, px66))) {
      form = px66;
    }
    // A prefix that chose an MMX or SSE form is no operand-size prefix any more.
    const bool vectorForm = RegKind(d.Desc) == rMM || RegKind(d.Desc) == rX;
    if (form == px66 && map == 1 && (vectorForm || FormTakesPrefix(entry, px66))) d.OperandSizePrefix = false;
    if (form == pxF2 || form == pxF3) FLastRepeat = 0;
    d.PrefixForm = static_cast<uint8_t>(form);
    d.Repne = FLastRepeat == 0xF2;
    d.Rep = FLastRepeat == 0xF3;
    d.XmmRegisters = map == 1 && (form != pxNone || (d.OperandSizePrefix && SizeAffects(d.Desc) != 0));
    if (d.XmmRegisters && form == pxNone && SizeAffects(d.Desc) != 0) d.OperandSizePrefix = false;
    return form;
  }

  void SetOperandSize() noexcept {
    if (!FIs64) {
      d.OperandSize = d.OperandSizePrefix ? 2 : 4;
      return;
    }
    if ((d.Attr & xF64) || RexW()) {
      d.OperandSize = 8;
    } else if (d.OperandSizePrefix) {
      d.OperandSize = 2;
    } else {
      d.OperandSize = (d.Attr & xD64) ? 8 : 4;
    }
  }

  bool ModRm(bool registerOnly = false) noexcept {
    uint8_t modrm;
    if (!Next(modrm)) return false;
    d.HasModRm = true;
    d.Info.ModRm = modrm;
    d.Mod = registerOnly ? 3 : modrm >> 6;
    d.Reg = ((modrm >> 3) & 7) | (RexR() ? 8 : 0);
    const int rm = modrm & 7;
    if (d.Mod == 3) {
      d.Rm = rm | (RexB() ? 8 : 0);
      return true;
    }
    d.Rm = rm;
    return d.AddressSize == 2 ? Address16(rm) : Address32(rm);
  }

  bool Address16(int rm) noexcept {
    static constexpr int8_t kBase[8] = {3, 3, 5, 5, 6, 7, 5, 3};   // bx bx bp bp si di bp bx
    static constexpr int8_t kIndex[8] = {6, 7, 6, 7, -1, -1, -1, -1};  // si di si di
    TMemoryOperand& m = d.Memory;
    if (d.Mod == 0 && rm == 6) return Displacement(2);
    m.Base = kBase[rm];
    m.Index = kIndex[rm];
    return d.Mod == 0 || Displacement(d.Mod == 1 ? 1 : 2);
  }

  bool Address32(int rm) noexcept {
    TMemoryOperand& m = d.Memory;
    if (rm == 4) {
      uint8_t sib;
      if (!Next(sib)) return false;
      m.Scale = 1 << (sib >> 6);
      const int index = ((sib >> 3) & 7) | (RexX() ? 8 : 0);
      m.Index = index == 4 ? -1 : index;
      if ((sib & 7) == 5 && d.Mod == 0) return Displacement(4);
      m.Base = (sib & 7) | (RexB() ? 8 : 0);
    } else if (rm == 5 && d.Mod == 0) {
      m.RipRelative = FIs64;
      return Displacement(4);
    } else {
      m.Base = rm | (RexB() ? 8 : 0);
    }
    return d.Mod == 0 || Displacement(d.Mod == 1 ? 1 : 4);
  }

  bool Displacement(int size) noexcept {
    uint64_t value;
    if (!ReadValue(size, value)) return false;
    d.Memory.Displacement = SignExtend(value, size);
    d.Memory.DisplacementSize = size;
    return true;
  }

  int ImmediateSize(TSpecialKind special) const noexcept {
    switch (special) {
      case skFarPointer:
        return d.OperandSize + 2;
      case skDirectAddress:
        return d.AddressSize;
      case skEnter:
        return 3;
      default:
        break;
    }
    switch (ImmKind(d.Desc)) {
      case 1:
        return 1;
      case 2:
        return 2;
      case 3:
        if (IsRelative(d.Desc)) return FIs64 || d.OperandSize != 2 ? 4 : 2;
        if ((d.Attr & xImm64) && d.OperandSize == 8) return 8;
        return d.OperandSize == 2 ? 2 : 4;
      default:
        return 0;
    }
  }

  bool Immediates(TSpecialKind special) noexcept {
    const int size = ImmediateSize(special);
    d.ImmediateOffset = d.Length;
    d.ImmediateSize = size;
    // A far pointer is the offset, then the segment; enter's operands a word, then a byte.
    if (special == skFarPointer || special == skEnter) {
      const int secondSize = special == skEnter ? 1 : 2;
      return ReadValue(size - secondSize, d.Immediate) && ReadValue(secondSize, d.Immediate2);
    }
    return ReadValue(size, d.Immediate);
  }

  bool SpecialValidity(int map, uint8_t opcode, TSpecialKind special) const noexcept {
    const int reg = d.Reg & 7;
    if (map == 0 && (opcode == 0x8C || opcode == 0x8E) && d.Reg > 5) return false;
    if (special == skIndirectBranch && (reg == 3 || reg == 5) && d.Mod == 3) return false;
    return true;
  }

  bool Decode3DNow() noexcept {
    uint64_t suffix;
    if (!ReadValue(1, suffix)) return false;
    d.Mnemonic = ThreeDNowMnemonic(static_cast<uint8_t>(suffix));
    d.Desc = rMM | mQ;
    d.Info.Opcode = 0x0F0F;
    return !d.Mnemonic.empty() && d.Length <= kMaxInstructionLength;
  }

  bool DecodeThreeByte(bool map3A) noexcept {
    uint8_t opcode;
    if (!Next(opcode)) return false;
    d.Map = map3A ? om0F3A : om0F38;
    d.OpcodeByte = opcode;
    d.Info.Opcode = (map3A ? 0x0F3A00u : 0x0F3800u) + opcode;
    const TThreeByteEntry* entry = FindThreeByte(map3A, opcode);
    if (!entry) return false;
    d.Desc = entry->Desc;
    TPrefixForm form = pxNone;
    if (FLastRepeat == 0xF2) form = pxF2;
    else if (FLastRepeat == 0xF3) form = pxF3;
    else if (d.OperandSizePrefix) form = px66;
    const uint8_t formBit = form == pxNone ? pfNone : form == px66 ? pf66 : form == pxF2 ? pfF2 : pfF3;
    if (!(entry->Prefixes & formBit)) return false;
    FLastRepeat = 0;
    d.PrefixForm = static_cast<uint8_t>(form);
    d.XmmRegisters = form != pxNone;
    if (form == px66 && RegKind(d.Desc) != rV) d.OperandSizePrefix = false;
    if (form == pxF2 && opcode == 0xF0) d.Desc = rV | mB | eR;  // crc32 takes a byte source
    SetOperandSize();
    if (!ModRm()) return false;
    if (d.Lock || ((entry->Prefixes & pfMemOnly) && d.Mod == 3)) return false;
    d.Mnemonic = SelectForm(entry->Mnemonic, {.RegisterForm = d.Mod == 3, .Prefix = form}).Text;
    if (d.Mnemonic.empty()) return false;
    return Immediates(skNone) && d.Length <= kMaxInstructionLength;
  }

  // VEX (C4, C5), EVEX (62) and XOP (8F) encoded instructions: their length and operands'
  // form; the listing names only the encoding.
  bool DecodeVex(uint8_t escape) noexcept {
    if (d.OperandSizePrefix || FLastRepeat != 0 || d.Lock || d.Rex != 0) return false;
    const bool evex = escape == 0x62;
    const bool xop = escape == 0x8F;
    uint8_t p0, p1 = 0, p2 = 0;
    if (!Next(p0)) return false;
    int map = 1;
    if (xop) {
      if (!Next(p1)) return false;
      map = p0 & 0x1F;
      d.Rex = static_cast<uint8_t>((~p0 >> 5) & 7) | ((p1 & 0x80) ? 8 : 0);
      if (!FIs64) d.Rex = 0;  // no register extensions outside 64-bit mode
    } else if (escape == 0xC5) {
      d.Rex = (p0 & 0x80) ? 0 : 4;
    } else {
      if (!Next(p1)) return false;
      if (evex && !Next(p2)) return false;
      map = evex ? (p0 & 3) : (p0 & 0x1F);
      if (evex && (p1 & 4) == 0) return false;
      d.Rex = static_cast<uint8_t>((~p0 >> 5) & 7) | ((p1 & 0x80) ? 8 : 0);
      if (!FIs64) d.Rex = 0;  // no register extensions outside 64-bit mode
    }
    if (xop ? (map < 8 || map > 10) : (map < 1 || map > 3)) return false;
    uint8_t opcode;
    if (!Next(opcode)) return false;
    d.Map = evex ? omEvex : omVex;
    d.OpcodeByte = opcode;
    d.Info.Opcode = xop ? 0x8F0000u + (static_cast<unsigned>(map) << 8) + opcode
                        : (map == 1 ? 0x0F00u : map == 2 ? 0x0F3800u : 0x0F3A00u) + opcode;
    d.Mnemonic = MnemonicText(evex ? mnEvex : xop ? mnXop : mnVex);
    d.OperandSize = RexW() ? 8 : 4;
    const bool noModRm = !evex && !xop && map == 1 && opcode == 0x77;
    d.Desc = noModRm ? 0 : (rX | mO);
    if (!noModRm && !ModRm()) return false;
    const bool imm8 = map == 3 || map == 8 ||
                      (map == 1 && ((opcode >= 0x70 && opcode <= 0x73) || opcode == 0xC2 || (opcode >= 0xC4 && opcode <= 0xC6)));
    if (imm8) d.Desc |= iB;
    if (map == 10) {
      d.Desc |= iV;
      d.OperandSize = 4;
    }
    return Immediates(skNone) && d.Length <= kMaxInstructionLength;
  }

  void ResolveRipRelative() noexcept {
    TMemoryOperand& m = d.Memory;
    if (!m.RipRelative || !d.HasModRm || d.Mod == 3) return;
    uint64_t target = d.Info.This + static_cast<uint64_t>(d.Length) + static_cast<uint64_t>(m.Displacement);
    if (d.AddressSize == 4) target &= 0xFFFFFFFFu;
    m.Displacement = static_cast<int64_t>(target);
  }

  uint64_t Mask(uint64_t address) const noexcept {
    if (FIs64) return address;
    return d.OperandSize == 2 && IsRelative(d.Desc) ? (address & 0xFFFF) : (address & 0xFFFFFFFFu);
  }

  void FindTarget() noexcept {
    TInstrInfo& info = d.Info;
    const bool oneByte = d.Map == omOneByte;
    if (IsRelative(d.Desc)) {
      info.RelTarget = true;
      info.PTarget = info.This + static_cast<uint64_t>(d.ImmediateOffset);
      info.TargetSize = d.ImmediateSize;
      info.Target = Mask(info.Next + static_cast<uint64_t>(SignExtend(d.Immediate, d.ImmediateSize)));
      info.Call = oneByte && d.OpcodeByte == 0xE8;
      info.Jmp = !info.Call;
      info.Enlargeable = !(oneByte && d.OpcodeByte >= 0xE0 && d.OpcodeByte <= 0xE3);
    } else if (oneByte && (d.OpcodeByte == 0x9A || d.OpcodeByte == 0xEA)) {
      info.Call = d.OpcodeByte == 0x9A;
      info.Jmp = !info.Call;
    } else if (oneByte && d.OpcodeByte == 0xFF && (d.Reg & 7) >= 2 && (d.Reg & 7) <= 5) {
      info.Call = (d.Reg & 7) <= 3;
      info.Jmp = !info.Call;
      if ((d.Reg & 7) == 2 || (d.Reg & 7) == 4) IndirectTarget();
    }
    if ((info.Call || info.Jmp) && info.Target == info.Next && (info.RelTarget || info.Target != 0)) {
      info.Call = info.Jmp = info.RelTarget = info.Enlargeable = false;
      info.Target = info.PTarget = info.PPTarget = 0;
      info.TargetSize = 0;
    }
  }

  void IndirectTarget() noexcept {
    TInstrInfo& info = d.Info;
    const int pointerSize = FIs64 ? 8 : 4;
    if (d.Mod == 3) {
      if (FRegisters && d.Rm < RegisterCount() && FRegisters->Known[d.Rm]) info.Target = FRegisters->Value[d.Rm];
      return;
    }
    const TMemoryOperand& m = d.Memory;
    uint64_t cell = 0;
    if (m.Index >= 0) return;
    if (m.Base < 0) {
      cell = m.RipRelative ? static_cast<uint64_t>(m.Displacement) : Mask(static_cast<uint64_t>(m.Displacement));
    } else if (FRegisters && m.Base < RegisterCount() && FRegisters->Known[m.Base]) {
      cell = Mask(FRegisters->Value[m.Base] + static_cast<uint64_t>(m.Displacement));
    } else {
      return;
    }
    info.PPTarget = cell;
    info.TargetSize = pointerSize;
    uint64_t target = 0;
    // An unreadable cell leaves the target unknown; the instruction itself is sound.
    if (FReader.Read(cell, &target, static_cast<size_t>(pointerSize))) info.Target = target;
  }

  int RegisterCount() const noexcept { return FIs64 ? 16 : 8; }

  // The full register a byte register belongs to (ah..bh are the second bytes of eAX..eBX
  // without a REX prefix).
  int FullRegisterOf(int reg, bool byteRegister) const noexcept {
    return byteRegister && d.Rex == 0 && reg >= 4 && reg < 8 ? reg - 4 : reg;
  }

  void Forget(uint16_t mask) noexcept {
    for (int reg = 0; reg < RegisterCount(); ++reg) {
      if (mask & (1u << reg)) FRegisters->Forget(reg);
    }
  }

  void TrackRegisters() noexcept {
    TRegisterState& regs = *FRegisters;
    const bool oneByte = d.Map == omOneByte;
    const uint8_t op = d.OpcodeByte;
    const int opcodeReg = (op & 7) | (RexB() ? 8 : 0);
    const uint64_t immediatePlace = d.Info.This + static_cast<uint64_t>(d.ImmediateOffset);
    if (oneByte && op >= 0xB8 && op <= 0xBF && d.OperandSize != 2) {
      regs.Set(opcodeReg, d.Immediate, immediatePlace);
      return;
    }
    if (oneByte && op == 0xC7 && d.Mod == 3 && d.OperandSize != 2) {
      const uint64_t value = d.OperandSize == 8 ? static_cast<uint64_t>(SignExtend(d.Immediate, 4)) : d.Immediate;
      regs.Set(d.Rm, value, immediatePlace);
      return;
    }
    if (oneByte && op == 0x8B && d.Mod == 3 && d.OperandSize != 2) {
      const int from = d.Rm, to = d.Reg;
      if (regs.Known[from]) {
        regs.Set(to, d.OperandSize == 4 ? (regs.Value[from] & 0xFFFFFFFFu) : regs.Value[from], regs.Place[from]);
      } else {
        regs.Forget(to);
      }
      return;
    }
    if (oneByte && op == 0x8D && d.Memory.RipRelative && d.Mod != 3 && d.OperandSize == 8) {
      regs.Set(d.Reg, static_cast<uint64_t>(d.Memory.Displacement), 0);
      return;
    }
    const bool byteRegister = RegKind(d.Desc) == rB || RmKind(d.Desc) == RmKind(mB);
    const int reg = FullRegisterOf(d.Reg, byteRegister);
    const int rm = d.Mod == 3 ? FullRegisterOf(d.Rm, byteRegister) : -1;
    const int inOpcode = FullRegisterOf(opcodeReg, oneByte && op >= 0xB0 && op <= 0xB7);
    auto forgetOne = [&](int r) {
      if (r >= 0 && r < RegisterCount()) regs.Forget(r);
    };
    switch (Effect(d.Desc)) {
      case 1: forgetOne(reg); break;
      case 2: forgetOne(rm); break;
      case 3: forgetOne(inOpcode); break;
      case 4: forgetOne(kRegAx); break;
      case 5: forgetOne(kRegAx); forgetOne(2); break;
      case 6: forgetOne(kRegAx); forgetOne(inOpcode); break;
      case 7: forgetOne(reg); forgetOne(rm); break;
      default: break;
    }
    if (d.Map == omVex || d.Map == omEvex || d.Map == om0F38 || d.Map == om0F3A) {
      forgetOne(reg);  // some of them write a general register
      forgetOne(rm);
    }
    const int map = oneByte ? 0 : d.Map == om0F ? 1 : -1;
    for (const TFixedEffect& effect : kFixedEffects) {
      if (effect.Map == map && effect.Opcode == op) Forget(effect.Registers);
    }
    const bool stringInstruction = oneByte && ((op >= 0xA4 && op <= 0xAF && op != 0xA8 && op != 0xA9) ||
                                               (op >= 0x6C && op <= 0x6F));
    if (stringInstruction && (d.Rep || d.Repne)) forgetOne(kRegCx);
    if (d.Info.Call || (oneByte && op == 0xFF && (d.Reg & 7) == 6)) forgetOne(kRegSp);
    if (d.Info.Call || (oneByte && op == 0xFF && (d.Reg & 7) <= 3 && (d.Reg & 7) >= 2)) {
      Forget(FIs64 ? kCallClobbered64 : kCallClobbered32);
    }
  }
};

}  // namespace

TDecodedInstr DecodeDetailed(TCpuMode mode, uint64_t address, const IMemoryReader& reader,
                             TRegisterState* registers) noexcept {
  TDecodedInstr decoded;
  TDecoder(mode, address, reader, registers, decoded).Run();
  return decoded;
}

TInstrInfo DecodeInstruction(TCpuMode mode, uint64_t address, const IMemoryReader& reader,
                             TRegisterState* registers) noexcept {
  return DecodeDetailed(mode, address, reader, registers).Info;
}

}  // namespace palvetta
