// The analysis's edge cases on small pieces of code in a buffer.
#include <gtest/gtest.h>

#include <vector>

#include "crash/disasm/function_analysis.h"

namespace palvetta {
namespace {

class TBufferModule final : public IModuleFacts {
 public:
  TBufferModule(uint64_t base, size_t size) : FBase(base), FSize(size) {}
  bool IsCommitted(uint64_t address) const override { return address >= FBase && address < FBase + FSize; }
  bool AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const override {
    begin = FBase;
    end = FBase + FSize;
    return true;
  }
  bool FunctionExtent(uint64_t, uint64_t&, uint64_t&) const override { return false; }
  bool IsNoReturn(uint64_t target) const override { return target == kNoReturn; }
  std::string ErrorText(uint32_t code) const override { return "error " + std::to_string(code); }
  bool HasPublicName(uint64_t address) const override { return address == kNamed; }
  static constexpr uint64_t kNoReturn = 0x500000;
  static constexpr uint64_t kNamed = 0x401010;

 private:
  uint64_t FBase;
  size_t FSize;
};

constexpr uint64_t kBase = 0x401000;

TFunctionInfo Analyze(const std::vector<uint8_t>& code, const TRuntimeRoutines& routines = {}) {
  const TBufferReader reader(kBase, code);
  const TBufferModule module(kBase, code.size());
  return AnalyzeFunction(TCpuMode::cm32, kBase, reader, module, routines);
}

void PutCardinal(std::vector<uint8_t>& code, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) code[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

bool Covers(const TFunctionInfo& info, uint64_t address) {
  for (const TCodeArea& area : info.CodeAreas) {
    if (address >= area.AreaBegin && address <= area.AreaEnd) return true;
  }
  return false;
}

// push ebp; mov ebp,esp; [nops]; jmp eax; (gap:) mov eax,1; pop ebp; ret
std::vector<uint8_t> IndirectJumpThenCode(size_t nops) {
  std::vector<uint8_t> code = {0x55, 0x89, 0xE5};
  code.insert(code.end(), nops, 0x90);
  code.insert(code.end(), {0xFF, 0xE0, 0xB8, 1, 0, 0, 0, 0x5D, 0xC3});
  return code;
}

TEST(FunctionRows, CodeAfterAnIndirectJumpIsTriedOnlyCloseToTheStart) {
  const std::vector<uint8_t> near = IndirectJumpThenCode(10);
  const TFunctionInfo nearInfo = Analyze(near);
  ASSERT_TRUE(nearInfo.IsValid);
  EXPECT_TRUE(Covers(nearInfo, kBase + near.size() - 1));
  EXPECT_EQ(nearInfo.CodeLen, static_cast<int>(near.size()));

  const std::vector<uint8_t> far = IndirectJumpThenCode(1030);
  const TFunctionInfo farInfo = Analyze(far);
  ASSERT_TRUE(farInfo.IsValid);
  EXPECT_FALSE(Covers(farInfo, kBase + far.size() - 1));
  ASSERT_EQ(farInfo.UnknownTargets.size(), 1u);
  EXPECT_FALSE(farInfo.UnknownTargets[0].Call);
}

TEST(FunctionRows, ACaseTableBehindTheJumpLeadsToEveryCaseAndIsData) {
  // cmp eax,2; ja default; jmp [eax*4+table]; table: case0 case1 case2; cases: ret each
  std::vector<uint8_t> code = {0x83, 0xF8, 0x02, 0x77, 0x16, 0xFF, 0x24, 0x85, 0x0C, 0x10, 0x40, 0x00,
                               0x18, 0x10, 0x40, 0x00, 0x19, 0x10, 0x40, 0x00, 0x1A, 0x10, 0x40, 0x00,
                               0xC3, 0xC3, 0xC3, 0x31, 0xC0, 0xC3};
  const TFunctionInfo info = Analyze(code);
  ASSERT_TRUE(info.IsValid) << info.LastErrorStr;
  int cases = 0, tables = 0;
  for (const TCodeArea& area : info.CodeAreas) {
    cases += area.CalledFrom == kBase + 5 && !area.CaseBlock;
    if (area.CaseBlock) {
      ++tables;
      EXPECT_EQ(area.AreaBegin, kBase + 12);
      EXPECT_EQ(area.AreaEnd, kBase + 23);
    }
  }
  EXPECT_EQ(cases, 3);
  EXPECT_EQ(tables, 1);
  EXPECT_TRUE(info.UnknownTargets.empty());
  EXPECT_EQ(info.CodeLen, static_cast<int>(code.size()));
}

TEST(FunctionRows, CallsToOtherCodeAndTheCopyBuffer) {
  // call rel32 (far); call [cell]; call next (no call); ret
  const std::vector<uint8_t> code = {0xE8, 0xFB, 0x0F, 0x00, 0x00, 0xFF, 0x15, 0x00, 0x20, 0x40, 0x00,
                                     0xE8, 0x00, 0x00, 0x00, 0x00, 0xC3};
  const TFunctionInfo info = Analyze(code);
  ASSERT_TRUE(info.IsValid);
  ASSERT_EQ(info.FarCalls.size(), 1u) << "the cell outside the module leaves the second target unknown";
  EXPECT_EQ(info.FarCalls[0].Target, kBase + 0x1000);
  EXPECT_TRUE(info.FarCalls[0].RelTarget);
  ASSERT_EQ(info.UnknownTargets.size(), 1u);
  EXPECT_EQ(info.UnknownTargets[0].CodeAddr1, kBase + 5);
  EXPECT_EQ(info.Copy.BufferLen, info.CodeLen + 4);
  EXPECT_TRUE(info.Interceptable);
}

TEST(FunctionRows, ACallOfANamelessThunkRecordsTheNamedTarget) {
  // call thunk (far: a 4-byte target); ret; thunk: jmp named; ...; named: ret
  std::vector<uint8_t> code(0x11, 0x90);
  const std::vector<uint8_t> head = {0xE8, 0x01, 0x00, 0x00, 0x00, 0xC3, 0xE9, 0x05, 0x00, 0x00, 0x00};
  std::copy(head.begin(), head.end(), code.begin());
  code[0x10] = 0xC3;
  const TFunctionInfo info = Analyze(code);
  ASSERT_TRUE(info.IsValid);
  ASSERT_EQ(info.FarCalls.size(), 1u);
  EXPECT_EQ(info.FarCalls[0].Target, TBufferModule::kNamed);
}

TEST(FunctionRows, ACallThatDoesNotReturnEndsTheArea) {
  // call noreturn; (data) db $FF $FF
  std::vector<uint8_t> code = {0xE8, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF};
  const uint64_t rel = TBufferModule::kNoReturn - (kBase + 5);
  for (int i = 0; i < 4; ++i) code[1 + i] = static_cast<uint8_t>(rel >> (8 * i));
  const TFunctionInfo info = Analyze(code);
  ASSERT_TRUE(info.IsValid);
  EXPECT_EQ(info.CodeLen, 5);
}

TEST(FunctionRows, InvalidCodeAndAnUncommittedEntry) {
  const TFunctionInfo invalid = Analyze({0x55, 0x8D, 0xC0, 0xC3});
  EXPECT_FALSE(invalid.IsValid);
  EXPECT_EQ(invalid.LastErrorNo, kInvalidCodeError);
  EXPECT_EQ(invalid.LastErrorStr, "Invalid code!");
  EXPECT_EQ(invalid.LastErrorAddr, kBase + 1);

  const std::vector<uint8_t> code = {0xC3};
  const TBufferReader reader(kBase, code);
  const TBufferModule module(kBase, code.size());
  const TFunctionInfo outside = AnalyzeFunction(TCpuMode::cm32, kBase + 0x100, reader, module);
  EXPECT_FALSE(outside.IsValid);
  EXPECT_EQ(outside.LastErrorNo, kInvalidParameterError);
  EXPECT_EQ(outside.LastErrorStr, "error 87");
}

TEST(FunctionRows, ThirtyTwoBitExceptionSupportLeadsToTheHandlers) {
  TRuntimeRoutines routines;
  routines.HandleOnException = 0x500100;
  std::vector<uint8_t> code = {
      0x68, 0, 0, 0, 0,                          // push offset frame handler
      0x64, 0xFF, 0x35, 0, 0, 0, 0,              // push dword ptr fs:[0]
      0x64, 0x89, 0x25, 0, 0, 0, 0,              // mov fs:[0], esp
      0xE8, 0, 0, 0, 0,                          // call the on-exception routine
      1, 0, 0, 0, 0x34, 0x12, 0, 0, 0, 0, 0, 0,  // one class and its handler
      0x90, 0x90, 0x90, 0x90,                    // not reached
      0x31, 0xC0, 0xC3,                          // the "on" handler
      0xB8, 1, 0, 0, 0, 0xC3};                   // the frame's handler
  PutCardinal(code, 1, kBase + 43);
  PutCardinal(code, 20, static_cast<uint32_t>(0x500100 - (kBase + 24)));
  PutCardinal(code, 32, kBase + 40);
  const TFunctionInfo info = Analyze(code, routines);
  ASSERT_TRUE(info.IsValid) << info.LastErrorStr << " at " << std::hex << info.LastErrorAddr;
  EXPECT_TRUE(Covers(info, kBase + 40));
  EXPECT_TRUE(Covers(info, kBase + 43));
  EXPECT_FALSE(Covers(info, kBase + 36));
  bool table = false;
  for (const TCodeArea& area : info.CodeAreas) {
    if (area.OnExceptBlock) {
      table = true;
      EXPECT_EQ(area.AreaBegin, kBase + 24);
      EXPECT_EQ(area.AreaEnd, kBase + 35);
    }
  }
  EXPECT_TRUE(table);
}

TEST(FunctionRows, InterceptableNeedsSixBytesWithoutShortFixedBranches) {
  EXPECT_FALSE(Analyze({0x31, 0xC0, 0xC3}).Interceptable) << "too short";
  // jecxz +1; ret; nop x5; ret
  EXPECT_FALSE(Analyze({0xE3, 0x01, 0xC3, 0x90, 0x90, 0x90, 0x90, 0x90, 0xC3}).Interceptable);
  EXPECT_TRUE(Analyze({0x55, 0x89, 0xE5, 0x31, 0xC0, 0x5D, 0xC3}).Interceptable);
}

}  // namespace
}  // namespace palvetta
