#pragma once
// The 16-bit operand description of an opcode, and the attributes that only 64-bit
// mode needs. The opcode tables (*.inc) are written with these names.

#include <cstdint>

namespace palvetta::disasm {

using TOperandDesc = uint16_t;
constexpr TOperandDesc kInvalidDesc = 0xFFFF;

// Bits 0-2: the register operand. With a ModR/M byte:
constexpr TOperandDesc rB = 1;    // byte register from the reg field
constexpr TOperandDesc rW = 2;    // word register
constexpr TOperandDesc rS = 3;    // segment register (control or debug after 0F)
constexpr TOperandDesc rV = 4;    // full-size register
constexpr TOperandDesc rMM = 5;   // MMX register (XMM with 66 when the prefix affects it)
constexpr TOperandDesc rST = 6;   // x87 stack top beside st(i)
constexpr TOperandDesc rX = 7;    // XMM register
// Without a ModR/M byte:
constexpr TOperandDesc rAL = 1;
constexpr TOperandDesc rAX = 2;
constexpr TOperandDesc rOB = 4;   // byte register in the opcode's low bits
constexpr TOperandDesc rOV = 5;   // full-size register in the opcode's low bits
constexpr TOperandDesc rAXO = 6;  // eAX and the register in the opcode
constexpr TOperandDesc rDX = 7;   // AL or eAX with DX
// Bits 3-5: the ModR/M operand (0: no ModR/M byte).
constexpr TOperandDesc mG = 1 << 3;  // described by the group table
constexpr TOperandDesc mB = 2 << 3;
constexpr TOperandDesc mW = 3 << 3;
constexpr TOperandDesc mV = 4 << 3;  // operand size
constexpr TOperandDesc mQ = 5 << 3;
constexpr TOperandDesc mT = 6 << 3;
constexpr TOperandDesc mO = 7 << 3;
// Bits 6-7: the operands the operand-size prefix affects.
constexpr TOperandDesc oR = 1 << 6;
constexpr TOperandDesc oM = 2 << 6;
constexpr TOperandDesc oRM = 3 << 6;
constexpr TOperandDesc sz = 1 << 8;  // the memory operand shows its size
constexpr TOperandDesc F = 1 << 9;   // the ModR/M operand (or the immediate) comes first
// Bits 10-11: the immediate.
constexpr TOperandDesc iB = 1 << 10;
constexpr TOperandDesc iW = 2 << 10;
constexpr TOperandDesc iV = 3 << 10;
constexpr TOperandDesc rel = 1 << 12;  // the immediate is a relative branch target
// Bits 13-15: the registers the instruction changes (register tracking).
constexpr TOperandDesc eR = 1 << 13;   // the reg-field register
constexpr TOperandDesc eM = 2 << 13;   // the ModR/M register
constexpr TOperandDesc eO = 3 << 13;   // the register in the opcode
constexpr TOperandDesc eA = 4 << 13;   // eAX
constexpr TOperandDesc eAD = 5 << 13;  // eAX and eDX
constexpr TOperandDesc eAO = 6 << 13;  // eAX and the register in the opcode
constexpr TOperandDesc eRM = 7 << 13;  // the reg-field and the ModR/M register

constexpr unsigned RegKind(TOperandDesc d) { return d & 7; }
constexpr unsigned RmKind(TOperandDesc d) { return (d >> 3) & 7; }
constexpr unsigned SizeAffects(TOperandDesc d) { return (d >> 6) & 3; }
constexpr bool ShowsSize(TOperandDesc d) { return (d & sz) != 0; }
constexpr bool RmFirst(TOperandDesc d) { return (d & F) != 0; }
constexpr unsigned ImmKind(TOperandDesc d) { return (d >> 10) & 3; }
constexpr bool IsRelative(TOperandDesc d) { return (d & rel) != 0; }
constexpr unsigned Effect(TOperandDesc d) { return d >> 13; }

// Attributes of an opcode beside its description.
using TOpcodeAttr = uint8_t;
constexpr TOpcodeAttr xI64 = 1;      // invalid in 64-bit mode
constexpr TOpcodeAttr xD64 = 2;      // 64-bit operand by default in 64-bit mode
constexpr TOpcodeAttr xMemOnly = 4;  // the register form is invalid
constexpr TOpcodeAttr xRegOnly = 8;  // the memory form is invalid
constexpr TOpcodeAttr xNeed66 = 16;  // valid only with the operand-size prefix
constexpr TOpcodeAttr xImm64 = 32;   // REX.W widens the immediate to 8 bytes
constexpr TOpcodeAttr xSpecial = 64; // the immediate or the decoding follows the special table
constexpr TOpcodeAttr xF64 = 128;    // always 64-bit operands in 64-bit mode (control registers)

}  // namespace palvetta::disasm
