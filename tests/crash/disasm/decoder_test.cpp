#include "crash/disasm/decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace palvetta {
namespace {

TDecodedInstr Decode(TCpuMode mode, uint64_t base, const std::vector<uint8_t>& bytes, TRegisterState* registers = nullptr) {
  const TBufferReader reader(base, bytes);
  return DecodeDetailed(mode, base, reader, registers);
}

struct TBranchRow {
  const char* What;
  TCpuMode Mode;
  std::vector<uint8_t> Bytes;
  int Length;
  bool Call, Jmp, RelTarget, Enlargeable;
  uint64_t Target;
  int TargetSize;
};

TEST(Decoder, BranchesAndTheirTargets) {
  constexpr uint64_t base = 0x401000;
  const auto m32 = TCpuMode::cm32, m64 = TCpuMode::cm64;
  const TBranchRow rows[] = {
      {"call rel32", m32, {0xE8, 0x10, 0, 0, 0}, 5, true, false, true, true, base + 0x15, 4},
      {"a call to the next instruction is none", m32, {0xE8, 0, 0, 0, 0}, 5, false, false, false, false, 0, 0},
      {"a jump to the next instruction is none", m64, {0xEB, 0x00}, 2, false, false, false, false, 0, 0},
      {"short jump backwards", m32, {0xEB, 0xFE}, 2, false, true, true, true, base, 1},
      {"loop cannot be widened", m32, {0xE2, 0x05}, 2, false, true, true, false, base + 7, 1},
      {"jecxz cannot be widened", m32, {0xE3, 0x05}, 2, false, true, true, false, base + 7, 1},
      {"jrcxz in 64-bit mode", m64, {0xE3, 0x05}, 2, false, true, true, false, base + 7, 1},
      {"near jcc", m32, {0x0F, 0x84, 0x00, 0x01, 0, 0}, 6, false, true, true, true, base + 0x106, 4},
      {"66 call: a 16-bit target in 32-bit mode", m32, {0x66, 0xE8, 0x00, 0x10}, 4, true, false, true, true,
       (base + 0x1004) & 0xFFFF, 2},
      {"66 call: still rel32 in 64-bit mode", m64, {0x66, 0xE8, 0x10, 0, 0, 0}, 6, true, false, true, true, base + 0x16, 4},
      {"far call sets the flag only", m32, {0x9A, 1, 2, 3, 4, 5, 6}, 7, true, false, false, false, 0, 0},
      {"call through a cell outside the bytes: valid, target unknown", m32, {0xFF, 0x15, 0, 0, 0, 0x10}, 6, true, false,
       false, false, 0, 4},
      {"jmp through a cell in 64-bit mode, RIP-relative", m64, {0xFF, 0x25, 0x02, 0, 0, 0, 0xCC, 0xCC, 0x88, 0x77, 0x66,
                                                                 0x55, 0x44, 0x33, 0x22, 0x11},
       6, false, true, false, false, 0x1122334455667788, 8},
  };
  for (const TBranchRow& row : rows) {
    SCOPED_TRACE(row.What);
    const TDecodedInstr d = Decode(row.Mode, base, row.Bytes);
    ASSERT_TRUE(d.Info.IsValid);
    EXPECT_EQ(d.Length, row.Length);
    EXPECT_EQ(d.Info.Call, row.Call);
    EXPECT_EQ(d.Info.Jmp, row.Jmp);
    EXPECT_EQ(d.Info.RelTarget, row.RelTarget);
    EXPECT_EQ(d.Info.Enlargeable, row.Enlargeable);
    EXPECT_EQ(d.Info.Target, row.Target);
    EXPECT_EQ(d.Info.TargetSize, row.TargetSize);
  }
}

TEST(Decoder, PointersToTheTargetOperandAndItsCell) {
  const std::vector<uint8_t> bytes = {0xFF, 0x15, 0x08, 0x10, 0x40, 0x00, 0xCC, 0xCC, 0x00, 0x20, 0x40, 0x00};
  const TDecodedInstr indirect = Decode(TCpuMode::cm32, 0x401000, bytes);
  EXPECT_EQ(indirect.Info.PPTarget, 0x401008u);
  EXPECT_EQ(indirect.Info.Target, 0x402000u);
  const TDecodedInstr relative = Decode(TCpuMode::cm32, 0x401000, {0x0F, 0x85, 1, 0, 0, 0});
  EXPECT_EQ(relative.Info.PTarget, 0x401002u);
  EXPECT_EQ(relative.Info.Opcode, 0x0F85u);
}

struct TValidityRow {
  const char* What;
  TCpuMode Mode;
  std::vector<uint8_t> Bytes;
  bool Valid;
  int Length;  // of a valid one
};

TEST(Decoder, FormsTheProcessorRejects) {
  const auto m32 = TCpuMode::cm32, m64 = TCpuMode::cm64;
  const TValidityRow rows[] = {
      {"lea with a register operand", m32, {0x8D, 0xC0}, false, 0},
      {"les with a register operand is VEX in 32-bit mode", m32, {0xC4, 0xE1, 0x79, 0x6F, 0xC1}, true, 5},
      {"mov to segment register 6", m32, {0x8E, 0xF0}, false, 0},
      {"group FE with reg 2", m32, {0xFE, 0xD0}, false, 0},
      {"group FF with reg 7", m32, {0xFF, 0xF8}, false, 0},
      {"far call through a register", m32, {0xFF, 0xD8}, false, 0},
      {"0F 00 with reg 6", m32, {0x0F, 0x00, 0xF0}, false, 0},
      {"3DNow! with an unknown suffix", m32, {0x0F, 0x0F, 0xC1, 0x01}, false, 0},
      {"3DNow! pfadd", m32, {0x0F, 0x0F, 0xC1, 0x9E}, true, 4},
      {"an SSE form that needs 66", m32, {0x0F, 0x6C, 0xC1}, false, 0},
      {"the same with 66", m32, {0x66, 0x0F, 0x6C, 0xC1}, true, 4},
      {"x87 register form that does not exist", m32, {0xD9, 0xD1}, false, 0},
      {"lock before a register destination", m32, {0xF0, 0x01, 0xC0}, false, 0},
      {"lock before a memory destination", m32, {0xF0, 0x01, 0x00}, true, 3},
      {"control register move ignores mod", m32, {0x0F, 0x20, 0x00}, true, 3},
      {"cut off by the end of readable bytes", m32, {0xE8, 0x00, 0x00}, false, 0},
      {"more than 15 bytes", m32, {0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x05,
                                    1, 2},
       false, 0},
      {"push es has no 64-bit form", m64, {0x06}, false, 0},
      {"40..4F are REX prefixes in 64-bit mode", m64, {0x48, 0xFF, 0xC0}, true, 3},
      {"inc eax in 32-bit mode", m32, {0x40}, true, 1},
      {"mov r64, imm64", m64, {0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8}, true, 10},
      {"direct address move: 8 bytes in 64-bit mode", m64, {0xA1, 1, 2, 3, 4, 5, 6, 7, 8}, true, 9},
      {"direct address move with 67", m32, {0x67, 0xA1, 1, 2}, true, 4},
      {"16-bit addressing", m32, {0x67, 0x8B, 0x46, 0x10}, true, 4},
      {"EVEX", m64, {0x62, 0xF1, 0x7C, 0x48, 0x10, 0x44, 0x24, 0x01}, true, 8},
      {"XOP with a 4-byte immediate", m64, {0x8F, 0xEA, 0x78, 0x10, 0xC0, 1, 2, 3, 4}, true, 9},
      {"0F 3A takes an immediate", m64, {0x66, 0x0F, 0x3A, 0x0B, 0xD3, 0x04}, true, 6},
  };
  for (const TValidityRow& row : rows) {
    SCOPED_TRACE(row.What);
    const TDecodedInstr d = Decode(row.Mode, 0x10000, row.Bytes);
    EXPECT_EQ(d.Info.IsValid, row.Valid);
    EXPECT_EQ(d.Length, row.Valid ? row.Length : 1);
  }
}

TEST(Decoder, TracksRegisterValuesAndTheirPlaces) {
  // mov eax, $402000; mov ecx, eax; call ecx; mov edx, $401000 (C7); call [edx]; cdq
  const std::vector<uint8_t> bytes = {0xB8, 0x00, 0x20, 0x40, 0x00, 0x8B, 0xC8, 0xFF, 0xD1, 0xC7, 0xC2,
                                      0x00, 0x10, 0x40, 0x00, 0xFF, 0x12, 0x99};
  const TBufferReader reader(0x401000, bytes);
  TRegisterState registers;
  TInstrInfo info = DecodeInstruction(TCpuMode::cm32, 0x401000, reader, &registers);
  EXPECT_TRUE(registers.Known[0]);
  EXPECT_EQ(registers.Value[0], 0x402000u);
  EXPECT_EQ(registers.Place[0], 0x401001u);
  info = DecodeInstruction(TCpuMode::cm32, info.Next, reader, &registers);
  EXPECT_EQ(registers.Value[1], 0x402000u);
  info = DecodeInstruction(TCpuMode::cm32, info.Next, reader, &registers);
  EXPECT_TRUE(info.Call);
  EXPECT_EQ(info.Target, 0x402000u);
  EXPECT_FALSE(registers.Known[0]) << "a call leaves eAX undefined";
  info = DecodeInstruction(TCpuMode::cm32, info.Next, reader, &registers);
  EXPECT_EQ(registers.Value[2], 0x401000u);
  info = DecodeInstruction(TCpuMode::cm32, info.Next, reader, &registers);
  EXPECT_EQ(info.PPTarget, 0x401000u);
  EXPECT_EQ(info.Target, 0x402000B8u) << "the cell's bytes";
  registers.Set(2, 5, 0);
  DecodeInstruction(TCpuMode::cm32, info.Next, reader, &registers);
  EXPECT_FALSE(registers.Known[2]) << "cdq sets edx";
}

TEST(Decoder, TracksLeaRipRelativeInSixtyFourBitMode) {
  // lea r9, [rip+$100]; jmp r9
  const std::vector<uint8_t> bytes = {0x4C, 0x8D, 0x0D, 0x00, 0x01, 0x00, 0x00, 0x41, 0xFF, 0xE1};
  const TBufferReader reader(0x140001000, bytes);
  TRegisterState registers;
  TInstrInfo info = DecodeInstruction(TCpuMode::cm64, 0x140001000, reader, &registers);
  EXPECT_EQ(registers.Value[9], 0x140001107u);
  info = DecodeInstruction(TCpuMode::cm64, info.Next, reader, &registers);
  EXPECT_TRUE(info.Jmp);
  EXPECT_EQ(info.Target, 0x140001107u);
}

}  // namespace
}  // namespace palvetta
