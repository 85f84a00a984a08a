#pragma once
// The decoder's tables, following the Intel opcode map. They are data (the *.inc files
// beside opcode_tables.cpp); the decoder walks them.

#include <cstdint>
#include <string_view>

#include "crash/disasm/operand_format.h"

namespace palvetta::disasm {

// Numbers into the mnemonic list, from 1 (0: none).
enum TMnemonic : uint16_t {
  mnNone = 0,
#define MNEMONIC(name, text) name,
#include "crash/disasm/mnemonics.inc"
#undef MNEMONIC
  mnCount
};

// The mnemonic list's entry (with its selectors and placeholders); "" for mnNone.
std::string_view MnemonicText(uint16_t number) noexcept;

struct TOpcodeEntry {
  TOperandDesc Desc;
  uint16_t Mnemonic;
  TOpcodeAttr Attr;
};
extern const TOpcodeEntry kOneByteOpcodes[256];
extern const TOpcodeEntry kTwoByteOpcodes[256];

struct TGroupEntry {
  uint8_t Opcode;
  uint16_t Mnemonic;
  TOperandDesc Memory[8];
  TOperandDesc Register[8];
};
// F6, F7 and D8..DF; nullptr for any other opcode.
const TGroupEntry* FindGroup(uint8_t opcode) noexcept;

// Prefix forms a three-byte opcode accepts.
enum : uint8_t {
  pfNone = 1,
  pf66 = 2,
  pfF2 = 4,
  pfF3 = 8,
  pfMmx = pfNone | pf66,  // MMX without a prefix, SSE with 66
  pfMemOnly = 16,
};
struct TThreeByteEntry {
  uint8_t Opcode;
  uint8_t Prefixes;
  TOperandDesc Desc;
  std::string_view Mnemonic;
};
// The row of 0F 38 xx or 0F 3A xx; nullptr when the opcode is not defined.
const TThreeByteEntry* FindThreeByte(bool map3A, uint8_t opcode) noexcept;

enum TSpecialKind : uint8_t {
  skNone,
  skEvexOrBound,
  skXopOrPop,
  skArplOrMovsxd,
  skFarPointer,
  skDirectAddress,
  skVexOrLoadPointer,
  skEnter,
  skIndirectBranch,
  sk3DNow,
  skControlRegister,  // mov to or from a control or debug register: mod is ignored
  skMap0F38,
  skMap0F3A,
};
// The special kind of an opcode of the one-byte (map 0) or two-byte (map 1) table.
TSpecialKind SpecialKind(int map, uint8_t opcode) noexcept;

// The mnemonic 64-bit mode uses instead, or mnNone.
uint16_t Mnemonic64(int map, uint8_t opcode, bool rexW) noexcept;

// The mnemonic of an instruction named apart from its opcode's form (pause, endbr64), or
// mnNone. modrm is -1 without a ModR/M byte; repeatPrefix F2, F3 or 0.
uint16_t AliasMnemonic(int map, uint8_t opcode, int modrm, uint8_t repeatPrefix) noexcept;

// Whether a lock prefix may precede the opcode with that ModR/M reg field (memory forms).
bool IsLockable(int map, uint8_t opcode, int reg) noexcept;

// The 3DNow! mnemonic of a suffix byte, or "" when there is none.
std::string_view ThreeDNowMnemonic(uint8_t suffix) noexcept;

}  // namespace palvetta::disasm
