#include "crash/disasm/instruction_text.h"

#include "base/number_text.h"
#include "crash/disasm/mnemonic_forms.h"
#include "crash/disasm/opcode_tables.h"

namespace palvetta {
namespace {

using namespace disasm;

constexpr const char* kRegisterNames[4][16] = {
    {"al", "cl", "dl", "bl", "ah", "ch", "dh", "bh", "r8b", "r9b", "r10b", "r11b", "r12b", "r13b", "r14b", "r15b"},
    {"ax", "cx", "dx", "bx", "sp", "bp", "si", "di", "r8w", "r9w", "r10w", "r11w", "r12w", "r13w", "r14w", "r15w"},
    {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi", "r8d", "r9d", "r10d", "r11d", "r12d", "r13d", "r14d",
     "r15d"},
    {"rax", "rcx", "rdx", "rbx", "rsp", "rbp", "rsi", "rdi", "r8", "r9", "r10", "r11", "r12", "r13", "r14", "r15"},
};
constexpr const char* kRexByteRegisters[4] = {"spl", "bpl", "sil", "dil"};
constexpr const char* kSegments[6] = {"es", "cs", "ss", "ds", "fs", "gs"};
constexpr const char* kConditions[16] = {"o", "no", "b", "nb", "z", "nz", "be", "a",
                                         "s", "ns", "p", "np", "l", "ge", "le", "g"};

// The mnemonic field ends at this column (counted behind the address).
constexpr int kMnemonicColumn = 19 - 8;
// Names and texts start behind this column.
constexpr int kCommentColumn = 40 - 8;
// A constant's text is looked for in at most this many bytes.
constexpr int kMaxTextBytes = 100;

// Lower-case hexadecimal digits without the "$".
std::string Hex(uint64_t value, int width = 0) {
  char text[20];
  FormatHexA(text, sizeof text, value, width, '0');
  return text + 1;
}

// Decimal up to 9, "$" hexadecimal above.
std::string Number(uint64_t value) { return value <= 9 ? std::to_string(value) : "$" + Hex(value); }
std::string SignedNumber(int64_t value, bool plus) {
  if (value < 0) return "-" + Number(0 - static_cast<uint64_t>(value));
  return (plus ? "+" : "") + Number(static_cast<uint64_t>(value));
}

void PadTo(std::string& text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

int SizeIndex(int size) { return size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3; }

const char* SizeWord(int size) {
  switch (size) {
    case 1: return "byte";
    case 2: return "word";
    case 4: return "dword";
    case 8: return "qword";
    case 10: return "tbyte";
    case 16: return "oword";
    default: return "";
  }
}

class TLineBuilder {
 public:
  TLineBuilder(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names)
      : d(instr), FReader(reader), FNames(names) {}

  std::string Build(const std::string& operandOverride) {
    if (!d.Info.IsValid) return InvalidLines();
    std::string line = AddressText(d.Mode, d.Info.This) + "   ";
    if (d.Lock) line += "lock ";
    if (d.Map == omOneByte && d.Repne) line += "repne ";
    if (d.Map == omOneByte && d.Rep) line += "rep ";
    line += Mnemonic();
    PadTo(line, AddressDigits(d.Mode) + kMnemonicColumn);
    if (line.back() != ' ') line += ' ';
    line += Operands(operandOverride);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    AppendComment(line);
    return line;
  }

 private:
  const TDecodedInstr& d;
  const IMemoryReader& FReader;
  const IAddressNames* FNames;

  // An invalid instruction counts as one byte.
  std::string InvalidLines() const { return AddressText(d.Mode, d.Info.This) + "   db $" + Hex(d.Bytes[0], 2); }

  std::string Mnemonic() const {
    std::string text = d.Fpu ? "f" : "";
    for (size_t i = 0; i < d.Mnemonic.size(); ++i) {
      const char c = d.Mnemonic[i];
      if (d.Mnemonic.compare(i, 3, "%cc") == 0) {
        text += kConditions[d.OpcodeByte & 15];
        i += 2;
      } else if (d.Mnemonic.compare(i, 4, "%seg") == 0) {
        text += kSegments[(d.OpcodeByte >> 3) & 7];
        i += 3;
      } else if (c == 'S') {
        text += FormPrefix() == px66 || FormPrefix() == pxF2 ? 'd' : 's';
      } else if (c == 'P') {
        text += FormPrefix() == pxF2 || FormPrefix() == pxF3 ? 's' : 'p';
      } else {
        text += c;
      }
    }
    return text;
  }

  TPrefixForm FormPrefix() const { return static_cast<TPrefixForm>(d.PrefixForm); }

  std::string GeneralRegister(int reg, int size) const {
    if (size == 1 && d.Rex != 0 && reg >= 4 && reg < 8) return kRexByteRegisters[reg - 4];
    return kRegisterNames[SizeIndex(size)][reg & 15];
  }

  bool VectorRegisters() const { return RegKind(d.Desc) == rX || d.XmmRegisters || d.Map == omVex || d.Map == omEvex; }

  std::string RegOperand() const {
    const unsigned kind = RegKind(d.Desc);
    if (!d.HasModRm) return OpcodeRegOperand(kind);
    switch (kind) {
      case rB: return GeneralRegister(d.Reg, 1);
      case rW: return GeneralRegister(d.Reg, 2);
      case rS:
        if (d.Map == om0F) return ((d.OpcodeByte & 1) ? "dr" : "cr") + std::to_string(d.Reg);
        return (d.Reg & 7) < 6 ? kSegments[d.Reg & 7] : "?";
      case rV: return GeneralRegister(d.Reg, d.OperandSize);
      case rMM: return (d.XmmRegisters ? "xmm" : "mm") + std::to_string(d.XmmRegisters ? d.Reg : d.Reg & 7);
      case rST: return "st";
      case rX: return "xmm" + std::to_string(d.Reg);
      default: return {};
    }
  }

  std::string OpcodeRegOperand(unsigned kind) const {
    const int reg = (d.OpcodeByte & 7) | ((d.Rex & 1) ? 8 : 0);
    const bool byteForm = (d.OpcodeByte & 1) == 0;
    switch (kind) {
      case rAL: return "al";
      case rAX: return GeneralRegister(0, d.OperandSize);
      case rOB: return GeneralRegister(reg, 1);
      case rOV: return GeneralRegister(reg, d.OperandSize);
      case rAXO: return GeneralRegister(0, d.OperandSize) + ", " + GeneralRegister(reg, d.OperandSize);
      case rDX: {
        const std::string acc = byteForm ? "al" : GeneralRegister(0, d.OperandSize == 8 ? 4 : d.OperandSize);
        return RmFirst(d.Desc) ? "dx, " + acc : acc + ", dx";
      }
      default: return {};
    }
  }

  int MemorySize() const {
    switch (RmKind(d.Desc)) {
      case 2: return 1;
      case 3: return 2;
      case 4: return d.Fpu ? 4 : FullRmSize();
      case 5: return d.XmmRegisters && (SizeAffects(d.Desc) & 2) ? 16 : 8;
      case 6: return 10;
      case 7: return 16;
      default: return 0;
    }
  }

  // A full-size ModR/M operand that the operand size does not affect stays 32-bit
  // (movsxd's source), unless the opcode is always 64-bit (control registers).
  int FullRmSize() const {
    if ((SizeAffects(d.Desc) & 2) || (d.Attr & xF64)) return d.OperandSize;
    return d.OperandSize > 4 ? 4 : d.OperandSize;
  }

  std::string RmOperand() const {
    if (d.Mod == 3) {
      if (d.Fpu) return "st(" + std::to_string(d.Rm & 7) + ")";
      const unsigned kind = RmKind(d.Desc);
      if (kind >= 5) {
        return VectorRegisters() || RegKind(d.Desc) == rV ? (RegKind(d.Desc) == rV && !d.XmmRegisters
                                                                 ? "mm" + std::to_string(d.Rm & 7)
                                                                 : "xmm" + std::to_string(d.Rm))
                                                          : "mm" + std::to_string(d.Rm & 7);
      }
      return GeneralRegister(d.Rm, kind == 2 ? 1 : kind == 3 ? 2 : FullRmSize());
    }
    return MemoryText(d.Memory, ShowsSize(d.Desc) ? MemorySize() : 0);
  }

  std::string MemoryText(const TMemoryOperand& m, int size) const {
    std::string text;
    if (size != 0) text = std::string(SizeWord(size)) + " ptr ";
    if (d.Segment >= 0) text += std::string(kSegments[d.Segment]) + ":";
    const int addressSize = d.AddressSize;
    if (m.Base < 0 && m.Index < 0) {
      const uint64_t mask = addressSize == 2 ? 0xFFFF : addressSize == 4 || !m.RipRelative ? 0xFFFFFFFF : ~0ull;
      uint64_t value = static_cast<uint64_t>(m.Displacement);
      if (!(d.Mode == TCpuMode::cm64 && !m.RipRelative && m.Displacement < 0)) value &= mask;
      return text + "[" + Number(value) + "]";
    }
    std::string inner;
    if (m.Base >= 0) inner += GeneralRegister(m.Base, addressSize);
    if (m.Index >= 0) {
      inner += "+" + GeneralRegister(m.Index, addressSize);
      if (m.Scale > 1) inner += "*" + std::to_string(m.Scale);
    }
    if (m.DisplacementSize != 0) inner += SignedNumber(m.Displacement, true);
    if (inner.compare(0, 1, "+") == 0) inner.erase(0, 1);
    return text + "[" + inner + "]";
  }

  std::string ImmediateOperand(const std::string& operandOverride) const {
    if (d.ImmediateSize == 0) return {};
    const bool oneByte = d.Map == omOneByte;
    const uint8_t op = d.OpcodeByte;
    if (IsRelative(d.Desc)) {
      if (!operandOverride.empty()) return operandOverride;
      // From the operand itself: a branch to the next instruction has no Target.
      const int64_t displacement = SignExtendedImmediate();
      uint64_t target = d.Info.Next + static_cast<uint64_t>(displacement);
      if (d.Mode == TCpuMode::cm32) target &= d.ImmediateSize == 2 ? 0xFFFF : 0xFFFFFFFF;
      return SignedNumber(displacement, true) + " ($" + Hex(target) + ")";
    }
    if (oneByte && (op == 0x9A || op == 0xEA)) return Number(d.Immediate2) + ":" + Number(d.Immediate);
    if (oneByte && op == 0xC8) return Number(d.Immediate) + ", " + Number(d.Immediate2);
    if (oneByte && op >= 0xA0 && op <= 0xA3) {
      TMemoryOperand direct;
      direct.Displacement = static_cast<int64_t>(d.Immediate);
      return MemoryText(direct, 0);
    }
    const bool isSigned = oneByte && (op == 0x69 || op == 0x6B || (op >= 0x80 && op <= 0x83));
    if (isSigned) return SignedNumber(SignExtendedImmediate(), false);
    return Number(d.Immediate);
  }

  int64_t SignExtendedImmediate() const {
    const int shift = 64 - d.ImmediateSize * 8;
    return shift <= 0 ? static_cast<int64_t>(d.Immediate) : static_cast<int64_t>(d.Immediate << shift) >> shift;
  }

  // Instructions of the VEX, EVEX and XOP encodings are decoded for their length only:
  // the listing names their opcode map and opcode.
  std::string EncodedOpcode() const {
    const uint32_t opcode = d.Info.Opcode;
    return opcode > 0xFFFF ? Hex2(opcode >> 16) + " " + Hex2((opcode >> 8) & 0xFF) + " " + Hex2(opcode & 0xFF)
                           : Hex2(opcode >> 8) + " " + Hex2(opcode & 0xFF);
  }
  static std::string Hex2(uint32_t value) { return Hex(value, 2); }

  std::string Operands(const std::string& operandOverride) const {
    if (d.Map == omVex || d.Map == omEvex) return EncodedOpcode();
    const std::string reg = RegOperand();
    const std::string rm = d.HasModRm && RmKind(d.Desc) != 0 && !d.RmInMnemonic ? RmOperand() : std::string();
    const std::string imm = ImmediateOperand(operandOverride);
    std::string parts[3];
    int count = 0;
    auto add = [&](const std::string& part) {
      if (!part.empty()) parts[count++] = part;
    };
    if (!d.HasModRm && RmFirst(d.Desc) && RegKind(d.Desc) != rDX) {
      add(imm);
      add(reg);
    } else if (RmFirst(d.Desc)) {
      add(rm);
      add(reg);
      add(imm);
    } else {
      add(reg);
      add(rm);
      add(imm);
    }
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? ", " : "") + parts[i];
    const bool oneByte = d.Map == omOneByte;
    if (oneByte && (d.OpcodeByte == 0xD0 || d.OpcodeByte == 0xD1)) text += ", 1";
    if ((oneByte && (d.OpcodeByte == 0xD2 || d.OpcodeByte == 0xD3)) ||
        (d.Map == om0F && (d.OpcodeByte == 0xA5 || d.OpcodeByte == 0xAD))) {
      text += ", cl";
    }
    return text;
  }

  void AppendComment(std::string& line) const {
    if (!FNames) return;
    const size_t column = AddressDigits(d.Mode) + kCommentColumn;
    if (d.Info.Target != 0) {
      const std::string name = FNames->FunctionName(d.Info.Target);
      if (!name.empty()) {
        PadTo(line, column);
        line += "  ; " + name;
      }
      return;
    }
    uint64_t candidate = 0;
    if (d.HasModRm && d.Mod != 3 && (d.Memory.DisplacementSize == 4 || d.Memory.RipRelative)) {
      candidate = static_cast<uint64_t>(d.Memory.Displacement);
      if (!d.Memory.RipRelative) candidate &= d.Mode == TCpuMode::cm64 ? ~0ull : 0xFFFFFFFFull;
    } else if (d.ImmediateSize >= 4 && !IsRelative(d.Desc)) {
      candidate = d.Immediate;
    }
    if (candidate == 0 || !FNames->InModuleImage(candidate)) return;
    std::string comment = FNames->FunctionName(candidate);
    if (comment.empty()) {
      comment = TextAt(candidate);
      if (comment.empty()) {
        // One more pointer: a cell that holds the address of a function or a text.
        uint64_t pointer = 0;
        const size_t size = d.Mode == TCpuMode::cm64 ? 8 : 4;
        if (!FReader.Read(candidate, &pointer, size) || !FNames->InModuleImage(pointer)) return;
        comment = FNames->FunctionName(pointer);
        if (comment.empty()) comment = TextAt(pointer);
      }
      if (comment.empty()) return;
    }
    PadTo(line, column);
    line += "  ; " + comment;
  }

  // The text at address in quotes, when its bytes look like words; "" otherwise.
  std::string TextAt(uint64_t address) const {
    std::string text;
    int letters = 0, separators = 0, others = 0, rest = 0;
    for (int i = 0; i < kMaxTextBytes; ++i) {
      uint8_t c;
      if (!FReader.Read(address + static_cast<uint64_t>(i), &c, 1)) return {};
      if (c == 0 || c == '\n' || c == '\f') break;
      if (c < 32) return {};
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') ++letters;
      else if (c == ',' || c == '.' || c == ':' || c == '\\') ++separators;
      else if (c >= '!' && c <= ']') ++others;
      else ++rest;
      text += static_cast<char>(c);
    }
    const int weighted = letters + separators / 2;
    const bool looksLikeText = text.size() > 4 && separators * 5 < letters * 2 && others * 8 < weighted &&
                               rest * 10 < weighted + others / 4;
    return looksLikeText ? "'" + text + "'" : std::string();
  }
};

}  // namespace

std::string AddressText(TCpuMode mode, uint64_t address) { return Hex(address, AddressDigits(mode)); }

std::string InstructionLine(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names,
                            const std::string& operandOverride) {
  return TLineBuilder(instr, reader, names).Build(operandOverride);
}

TInstrInfo InstructionText(TCpuMode mode, uint64_t address, const IMemoryReader& reader, std::string& text,
                           TRegisterState* registers, const IAddressNames* names) {
  const TDecodedInstr decoded = DecodeDetailed(mode, address, reader, registers);
  text = InstructionLine(decoded, reader, names);
  return decoded.Info;
}

}  // namespace palvetta
