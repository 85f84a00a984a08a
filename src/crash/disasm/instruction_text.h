#pragma once
// One instruction's listing line: address, prefixes, mnemonic, operands, and the name of
// a branch target or the text a constant points to.

#include <cstdint>
#include <string>
#include <string_view>

#include "crash/disasm/decoder.h"

namespace palvetta {

// What the listing knows about addresses beyond the code's bytes. Everything may be left
// unknown (the defaults), as the disasm tool and the portable tests do.
class IAddressNames {
 public:
  virtual ~IAddressNames() = default;
  // The public name of a function at address ("" when none), with its module's file
  // name in parentheses when that is not the reporter's own.
  virtual std::string FunctionName(uint64_t address) const = 0;
  // Whether address lies in a module image, not in its last 100 bytes (where a constant
  // may point to text).
  virtual bool InModuleImage(uint64_t address) const = 0;
};

// Digits of an address: 8 in 32-bit mode, 16 in 64-bit mode.
inline int AddressDigits(TCpuMode mode) { return mode == TCpuMode::cm64 ? 16 : 8; }
std::string AddressText(TCpuMode mode, uint64_t address);

// The line of the decoded instruction (one "db" line per byte of an invalid one, CR LF
// between them). operandOverride, when not empty, replaces the branch target operand
// (the function listing's "loc_" labels).
std::string InstructionLine(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names,
                            std::string_view operandOverride = {});
// The same line appended to out: a listing that reuses one buffer allocates nothing per
// instruction (the names of an IAddressNames aside).
void AppendInstructionLine(const TDecodedInstr& instr, const IMemoryReader& reader, const IAddressNames* names,
                           std::string& out, std::string_view operandOverride = {});

// Decodes at address and builds its line; registers as for DecodeDetailed.
TInstrInfo InstructionText(TCpuMode mode, uint64_t address, const IMemoryReader& reader, std::string& text,
                           TRegisterState* registers = nullptr, const IAddressNames* names = nullptr);

}  // namespace palvetta
