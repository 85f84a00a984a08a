#include "crash/disasm/instruction_text.h"

#include <string_view>

#include "crash/disasm/mnemonic_forms.h"
#include "crash/disasm/opcode_tables.h"

namespace palvetta {
namespace {

using namespace disasm;

constexpr std::string_view kRegisterNames[4][16] = {
    {"al", "cl", "dl", "bl", "ah", "ch", "dh", "bh", "r8b", "r9b", "r10b", "r11b", "r12b", "r13b", "r14b", "r15b"},
    {"ax", "cx", "dx", "bx", "sp", "bp", "si", "di", "r8w", "r9w", "r10w", "r11w", "r12w", "r13w", "r14w", "r15w"},
    {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi", "r8d", "r9d", "r10d", "r11d", "r12d", "r13d", "r14d",
     "r15d"},
    {"rax", "rcx", "rdx", "rbx", "rsp", "rbp", "rsi", "rdi", "r8", "r9", "r10", "r11", "r12", "r13", "r14", "r15"},
};
constexpr std::string_view kRexByteRegisters[4] = {"spl", "bpl", "sil", "dil"};
constexpr std::string_view kSegments[6] = {"es", "cs", "ss", "ds", "fs", "gs"};
constexpr std::string_view kConditions[16] = {"o", "no", "b", "nb", "z", "nz", "be", "a",
                                         "s", "ns", "p", "np", "l", "ge", "le", "g"};

// The mnemonic field ends at this column (counted behind the address).
constexpr int kMnemonicColumn = 19 - 8;
// Names and texts start behind this column.
constexpr int kCommentColumn = 40 - 8;
// A constant's text is looked for in at most this many bytes.
constexpr int kMaxTextBytes = 100;

constexpr char kHexDigits[] = "0123456789abcdef";

int SizeIndex(int size) { return size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3; }

std::string_view SizeWord(int size) {
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

// Appends the parts of a line to a caller's buffer; a buffer with room allocates nothing.
class TLineText {
 public:
  explicit TLineText(std::string& out) : FOut(out), FStart(out.size()) {}

  void Put(char c) { FOut.push_back(c); }
  void Put(std::string_view text) { FOut.append(text); }
  // Lower-case hexadecimal digits without the "$", at least width of them.
  void Hex(uint64_t value, int width = 0) {
    char digits[16];
    int count = 0;
    do {
      digits[15 - count++] = kHexDigits[value & 15];
      value >>= 4;
    } while (value != 0);
    for (int i = count; i < width; ++i) FOut.push_back('0');
    FOut.append(digits + 16 - count, static_cast<size_t>(count));
  }
  void Decimal(unsigned value) {
    char digits[10];
    int count = 0;
    do {
      digits[9 - count++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    FOut.append(digits + 10 - count, static_cast<size_t>(count));
  }
  // Decimal up to 9, "$" hexadecimal above.
  void Number(uint64_t value) {
    if (value <= 9) {
      FOut.push_back(static_cast<char>('0' + value));
    } else {
      FOut.push_back('$');
      Hex(value);
    }
  }
  void SignedNumber(int64_t value, bool plus) {
    if (value < 0) {
      FOut.push_back('-');
      Number(0 - static_cast<uint64_t>(value));
      return;
    }
    if (plus) FOut.push_back('+');
    Number(static_cast<uint64_t>(value));
  }

  // The line's length so far (the buffer may hold earlier lines).
  size_t Length() const { return FOut.size() - FStart; }
  void PadTo(size_t width) {
    if (Length() < width) FOut.append(width - Length(), ' ');
  }
  char Last() const { return Length() == 0 ? '\0' : FOut.back(); }
  void TrimSpaces() {
    while (Length() > 0 && FOut.back() == ' ') FOut.pop_back();
  }
  size_t Mark() const { return FOut.size(); }
  void CutTo(size_t mark) { FOut.resize(mark); }

 private:
  std::string& FOut;
  size_t FStart;
};

class TLineBuilder {
 public:
  TLineBuilder(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names, std::string& out)
      : d(instr), FReader(reader), FNames(names), FText(out) {}

  void Build(std::string_view operandOverride) {
    FText.Hex(d.Info.This, AddressDigits(d.Mode));
    // An invalid instruction counts as one byte.
    if (!d.Info.IsValid) {
      FText.Put("   db $");
      FText.Hex(d.Bytes[0], 2);
      return;
    }
    FText.Put("   ");
    if (d.Lock) FText.Put("lock ");
    if (d.Map == omOneByte && d.Repne) FText.Put("repne ");
    if (d.Map == omOneByte && d.Rep) FText.Put("rep ");
    Mnemonic();
    FText.PadTo(static_cast<size_t>(AddressDigits(d.Mode) + kMnemonicColumn));
    if (FText.Last() != ' ') FText.Put(' ');
    Operands(operandOverride);
    FText.TrimSpaces();
    AppendComment();
  }

 private:
  const TDecodedInstr& d;
  const IMemoryReader& FReader;
  const IAddressNames* FNames;
  TLineText FText;
  int FParts = 0;  // operands written so far

  void Mnemonic() {
    if (d.Fpu) FText.Put('f');
    const std::string_view mnemonic = d.Mnemonic;
    for (size_t i = 0; i < mnemonic.size(); ++i) {
      const char c = mnemonic[i];
      if (c == '%' && mnemonic.compare(i, 3, "%cc") == 0) {
        FText.Put(kConditions[d.OpcodeByte & 15]);
        i += 2;
      } else if (c == '%' && mnemonic.compare(i, 4, "%seg") == 0) {
        FText.Put(kSegments[(d.OpcodeByte >> 3) & 7]);
        i += 3;
      } else if (c == 'S') {
        FText.Put(FormPrefix() == px66 || FormPrefix() == pxF2 ? 'd' : 's');
      } else if (c == 'P') {
        FText.Put(FormPrefix() == pxF2 || FormPrefix() == pxF3 ? 's' : 'p');
      } else {
        FText.Put(c);
      }
    }
  }

  TPrefixForm FormPrefix() const { return static_cast<TPrefixForm>(d.PrefixForm); }

  void GeneralRegister(int reg, int size) {
    if (size == 1 && d.Rex != 0 && reg >= 4 && reg < 8) {
      FText.Put(kRexByteRegisters[reg - 4]);
    } else {
      FText.Put(kRegisterNames[SizeIndex(size)][reg & 15]);
    }
  }
  void NumberedRegister(std::string_view kind, int number) {
    FText.Put(kind);
    FText.Decimal(static_cast<unsigned>(number));
  }

  bool VectorRegisters() const { return RegKind(d.Desc) == rX || d.XmmRegisters || d.Map == omVex || d.Map == omEvex; }

  void RegOperand() {
    const unsigned kind = RegKind(d.Desc);
    if (!d.HasModRm) return OpcodeRegOperand(kind);
    switch (kind) {
      case rB: return GeneralRegister(d.Reg, 1);
      case rW: return GeneralRegister(d.Reg, 2);
      case rS:
        if (d.Map == om0F) return NumberedRegister((d.OpcodeByte & 1) ? "dr" : "cr", d.Reg);
        return FText.Put((d.Reg & 7) < 6 ? kSegments[d.Reg & 7] : "?");
      case rV: return GeneralRegister(d.Reg, d.OperandSize);
      case rMM: return NumberedRegister(d.XmmRegisters ? "xmm" : "mm", d.XmmRegisters ? d.Reg : d.Reg & 7);
      case rST: return FText.Put("st");
      case rX: return NumberedRegister("xmm", d.Reg);
      default: return;
    }
  }

  void OpcodeRegOperand(unsigned kind) {
    const int reg = (d.OpcodeByte & 7) | ((d.Rex & 1) ? 8 : 0);
    const bool byteForm = (d.OpcodeByte & 1) == 0;
    switch (kind) {
      case rAL: return FText.Put("al");
      case rAX: return GeneralRegister(0, d.OperandSize);
      case rOB: return GeneralRegister(reg, 1);
      case rOV: return GeneralRegister(reg, d.OperandSize);
      case rAXO:
        GeneralRegister(0, d.OperandSize);
        FText.Put(", ");
        return GeneralRegister(reg, d.OperandSize);
      case rDX: {
        const auto accumulator = [&] {
          if (byteForm) return FText.Put("al");
          GeneralRegister(0, d.OperandSize == 8 ? 4 : d.OperandSize);
        };
        if (RmFirst(d.Desc)) {
          FText.Put("dx, ");
          return accumulator();
        }
        accumulator();
        return FText.Put(", dx");
      }
      default: return;
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

  void RmOperand() {
    if (d.Mod != 3) return MemoryText(d.Memory, ShowsSize(d.Desc) ? MemorySize() : 0);
    if (d.Fpu) {
      FText.Put("st(");
      FText.Decimal(static_cast<unsigned>(d.Rm & 7));
      return FText.Put(')');
    }
    const unsigned kind = RmKind(d.Desc);
    if (kind < 5) return GeneralRegister(d.Rm, kind == 2 ? 1 : kind == 3 ? 2 : FullRmSize());
    const bool xmm = (VectorRegisters() || RegKind(d.Desc) == rV) && (RegKind(d.Desc) != rV || d.XmmRegisters);
    if (xmm) return NumberedRegister("xmm", d.Rm);
    NumberedRegister("mm", d.Rm & 7);
  }

  void MemoryText(const TMemoryOperand& m, int size) {
    if (size != 0) {
      FText.Put(SizeWord(size));
      FText.Put(" ptr ");
    }
    if (d.Segment >= 0) {
      FText.Put(kSegments[d.Segment]);
      FText.Put(':');
    }
    const int addressSize = d.AddressSize;
    FText.Put('[');
    if (m.Base < 0 && m.Index < 0) {
      const uint64_t mask = addressSize == 2 ? 0xFFFF : addressSize == 4 || !m.RipRelative ? 0xFFFFFFFF : ~0ull;
      uint64_t value = static_cast<uint64_t>(m.Displacement);
      if (!(d.Mode == TCpuMode::cm64 && !m.RipRelative && m.Displacement < 0)) value &= mask;
      FText.Number(value);
      return FText.Put(']');
    }
    if (m.Base >= 0) GeneralRegister(m.Base, addressSize);
    if (m.Index >= 0) {
      if (m.Base >= 0) FText.Put('+');
      GeneralRegister(m.Index, addressSize);
      if (m.Scale > 1) {
        FText.Put('*');
        FText.Decimal(static_cast<unsigned>(m.Scale));
      }
    }
    if (m.DisplacementSize != 0) FText.SignedNumber(m.Displacement, true);
    FText.Put(']');
  }

  void ImmediateOperand(std::string_view operandOverride) {
    if (d.ImmediateSize == 0) return;
    const bool oneByte = d.Map == omOneByte;
    const uint8_t op = d.OpcodeByte;
    if (IsRelative(d.Desc)) {
      if (!operandOverride.empty()) return FText.Put(operandOverride);
      // From the operand itself: a branch to the next instruction has no Target.
      const int64_t displacement = SignExtendedImmediate();
      uint64_t target = d.Info.Next + static_cast<uint64_t>(displacement);
      if (d.Mode == TCpuMode::cm32) target &= d.ImmediateSize == 2 ? 0xFFFF : 0xFFFFFFFF;
      FText.SignedNumber(displacement, true);
      FText.Put(" ($");
      FText.Hex(target);
      return FText.Put(')');
    }
    if (oneByte && (op == 0x9A || op == 0xEA)) {
      FText.Number(d.Immediate2);
      FText.Put(':');
      return FText.Number(d.Immediate);
    }
    if (oneByte && op == 0xC8) {
      FText.Number(d.Immediate);
      FText.Put(", ");
      return FText.Number(d.Immediate2);
    }
    if (oneByte && op >= 0xA0 && op <= 0xA3) {
      TMemoryOperand direct;
      direct.Displacement = static_cast<int64_t>(d.Immediate);
      return MemoryText(direct, 0);
    }
    const bool isSigned = oneByte && (op == 0x69 || op == 0x6B || (op >= 0x80 && op <= 0x83));
    if (isSigned) return FText.SignedNumber(SignExtendedImmediate(), false);
    FText.Number(d.Immediate);
  }

  int64_t SignExtendedImmediate() const {
    const int shift = 64 - d.ImmediateSize * 8;
    return shift <= 0 ? static_cast<int64_t>(d.Immediate) : static_cast<int64_t>(d.Immediate << shift) >> shift;
  }

  // Instructions of the VEX, EVEX and XOP encodings are decoded for their length only:
  // the listing names their opcode map and opcode.
  void EncodedOpcode() {
    const uint32_t opcode = d.Info.Opcode;
    if (opcode > 0xFFFF) {
      FText.Hex(opcode >> 16, 2);
      FText.Put(' ');
    }
    FText.Hex((opcode >> 8) & 0xFF, 2);
    FText.Put(' ');
    FText.Hex(opcode & 0xFF, 2);
  }

  // One operand, behind ", " unless it is the first; nothing when it comes out empty.
  template <class Write>
  void Operand(Write write) {
    const size_t before = FText.Mark();
    if (FParts > 0) FText.Put(", ");
    const size_t start = FText.Mark();
    write();
    if (FText.Mark() == start) {
      FText.CutTo(before);
    } else {
      ++FParts;
    }
  }

  void Operands(std::string_view operandOverride) {
    if (d.Map == omVex || d.Map == omEvex) return EncodedOpcode();
    const auto reg = [&] { RegOperand(); };
    const auto rm = [&] {
      if (d.HasModRm && RmKind(d.Desc) != 0 && !d.RmInMnemonic) RmOperand();
    };
    const auto imm = [&] { ImmediateOperand(operandOverride); };
    if (!d.HasModRm && RmFirst(d.Desc) && RegKind(d.Desc) != rDX) {
      Operand(imm);
      Operand(reg);
    } else if (RmFirst(d.Desc)) {
      Operand(rm);
      Operand(reg);
      Operand(imm);
    } else {
      Operand(reg);
      Operand(rm);
      Operand(imm);
    }
    const bool oneByte = d.Map == omOneByte;
    if (oneByte && (d.OpcodeByte == 0xD0 || d.OpcodeByte == 0xD1)) FText.Put(", 1");
    if ((oneByte && (d.OpcodeByte == 0xD2 || d.OpcodeByte == 0xD3)) ||
        (d.Map == om0F && (d.OpcodeByte == 0xA5 || d.OpcodeByte == 0xAD))) {
      FText.Put(", cl");
    }
  }

  void AppendComment() {
    if (!FNames) return;
    const std::string comment = Comment();
    if (comment.empty()) return;
    FText.PadTo(static_cast<size_t>(AddressDigits(d.Mode) + kCommentColumn));
    FText.Put("  ; ");
    FText.Put(comment);
  }

  // The name of the branch target, or of the function or text a constant points to,
  // directly or through one more pointer.
  std::string Comment() const {
    if (d.Info.Target != 0) return FNames->FunctionName(d.Info.Target);
    uint64_t candidate = 0;
    if (d.HasModRm && d.Mod != 3 && (d.Memory.DisplacementSize == 4 || d.Memory.RipRelative)) {
      candidate = static_cast<uint64_t>(d.Memory.Displacement);
      if (!d.Memory.RipRelative) candidate &= d.Mode == TCpuMode::cm64 ? ~0ull : 0xFFFFFFFFull;
    } else if (d.ImmediateSize >= 4 && !IsRelative(d.Desc)) {
      candidate = d.Immediate;
    }
    if (candidate == 0 || !FNames->InModuleImage(candidate)) return {};
    std::string comment = FNames->FunctionName(candidate);
    if (!comment.empty()) return comment;
    comment = TextAt(candidate);
    if (!comment.empty()) return comment;
    uint64_t pointer = 0;
    const size_t size = d.Mode == TCpuMode::cm64 ? 8 : 4;
    if (!FReader.Read(candidate, &pointer, size) || !FNames->InModuleImage(pointer)) return {};
    comment = FNames->FunctionName(pointer);
    return comment.empty() ? TextAt(pointer) : comment;
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

std::string AddressText(TCpuMode mode, uint64_t address) {
  std::string text;
  TLineText(text).Hex(address, AddressDigits(mode));
  return text;
}

std::string InstructionLine(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names,
                            std::string_view operandOverride) {
  std::string line;
  AppendInstructionLine(instr, reader, names, line, operandOverride);
  return line;
}

void AppendInstructionLine(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names,
                           std::string& out, std::string_view operandOverride) {
  TLineBuilder(instr, reader, names, out).Build(operandOverride);
}

TInstrInfo InstructionText(TCpuMode mode, uint64_t address, const IMemoryReader& reader, std::string& text,
                           TRegisterState* registers, const IAddressNames* names) {
  const TDecodedInstr decoded = DecodeDetailed(mode, address, reader, registers);
  text.clear();
  AppendInstructionLine(decoded, reader, names, text);
  return decoded.Info;
}

}  // namespace palvetta
