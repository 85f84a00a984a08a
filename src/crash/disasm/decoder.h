#pragma once
// Decodes one x86 instruction in 32-bit or 64-bit mode. Never throws and never reads
// outside what the reader allows: a byte that cannot be read makes the instruction
// invalid.

#include <cstdint>
#include <string_view>

#include "crash/disasm/instr_info.h"
#include "crash/disasm/memory_reader.h"
#include "crash/disasm/operand_format.h"

namespace palvetta {

constexpr int kMaxInstructionLength = 15;

// A memory operand: registers are numbers 0..15 (-1 none).
struct TMemoryOperand {
  int Base = -1;
  int Index = -1;
  int Scale = 1;
  int64_t Displacement = 0;
  int DisplacementSize = 0;
  bool RipRelative = false;  // Displacement then holds the absolute address
};

enum TOpcodeMap : uint8_t { omOneByte, om0F, om0F38, om0F3A, omVex, omEvex };

// Everything the decoder found, for the listing and the analysis.
struct TDecodedInstr {
  TInstrInfo Info;
  TCpuMode Mode = TCpuMode::cm32;
  uint8_t Bytes[kMaxInstructionLength] = {};
  int Length = 0;

  bool OperandSizePrefix = false;
  bool AddressSizePrefix = false;
  bool Lock = false;
  bool Rep = false;    // F3 not used to select a form
  bool Repne = false;  // F2 not used to select a form
  int Segment = -1;    // segment override 0..5 (es cs ss ds fs gs)
  uint8_t Rex = 0;

  TOpcodeMap Map = omOneByte;
  uint8_t OpcodeByte = 0;
  disasm::TOperandDesc Desc = 0;
  disasm::TOpcodeAttr Attr = 0;
  std::string_view Mnemonic;  // the selected form, before its placeholders are filled
  bool Fpu = false;           // an x87 opcode (D8..DF)
  bool XmmRegisters = false;  // MMX registers are XMM registers (a prefix chose the form)
  bool RmInMnemonic = false;  // the mnemonic names the register form's r/m (swapgs, fld1)
  uint8_t PrefixForm = 0;     // the prefix that chose the form: 0 none, 1 66, 2 F2, 3 F3

  bool HasModRm = false;
  int Mod = 0;
  int Reg = 0;  // with REX.R
  int Rm = 0;   // with REX.B (register form)
  TMemoryOperand Memory;

  int OperandSize = 4;
  int AddressSize = 4;
  int ImmediateSize = 0;
  int ImmediateOffset = 0;
  uint64_t Immediate = 0;   // zero-extended
  uint64_t Immediate2 = 0;  // far pointer's segment, enter's level
};

// Decodes at address. registers (may be nullptr) is used to resolve indirect branches
// and is updated by the instruction's effect.
TDecodedInstr DecodeDetailed(TCpuMode mode, uint64_t address, const IMemoryReader& reader,
                             TRegisterState* registers) noexcept;

TInstrInfo DecodeInstruction(TCpuMode mode, uint64_t address, const IMemoryReader& reader,
                             TRegisterState* registers) noexcept;
inline TInstrInfo DecodeInstruction(TCpuMode mode, uint64_t address, const IMemoryReader& reader) noexcept {
  return DecodeInstruction(mode, address, reader, nullptr);
}

}  // namespace palvetta
