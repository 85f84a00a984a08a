#include "crash/stack/stack_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace palvetta {
namespace {

constexpr uint64_t kCodeBase = 0x140001000;
constexpr uint64_t kStackBase = 0x5000;

// A code page with two calls and a stack page, read as one address space.
class TFakeProcess final : public IMemoryReader, public ICodeRanges {
 public:
  std::vector<uint8_t> Code = std::vector<uint8_t>(64, 0x90);
  std::vector<uint8_t> Stack = std::vector<uint8_t>(128, 0);

  TFakeProcess() {
    const uint8_t call[] = {0xE8, 0x20, 0x00, 0x00, 0x00};  // ends at +0x10
    std::memcpy(Code.data() + 0x0B, call, sizeof call);
    const uint8_t indirect[] = {0xFF, 0xD0};  // ends at +0x30
    std::memcpy(Code.data() + 0x2E, indirect, sizeof indirect);
  }
  void Slot(size_t index, uint64_t value) { std::memcpy(Stack.data() + index * 8, &value, 8); }

  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    return TBufferReader(kCodeBase, Code).Read(address, out, count) ||
           TBufferReader(kStackBase, Stack).Read(address, out, count);
  }
  bool IsCode(uint64_t address) const noexcept override {
    return address >= kCodeBase && address < kCodeBase + Code.size();
  }
};

TEST(StackScan, KeepsOnlyValuesBehindCallsInCodeOutermostFirst) {
  TFakeProcess process;
  process.Slot(1, kCodeBase + 0x10);  // behind the direct call
  process.Slot(3, kCodeBase + 0x20);  // into code, but no call before it: a fake
  process.Slot(4, kCodeBase + 0x30);  // behind the indirect call
  process.Slot(6, 0x7);               // small numbers are never addresses
  process.Slot(7, kStackBase + 8);    // a stack pointer
  process.Slot(9, kCodeBase + 0x10);  // the same return address once more
  TStackCandidate out[8];
  const size_t count = ScanStack(process, process, kStackBase, kStackBase + 128, out);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(out[0].Slot, kStackBase + 9 * 8);
  EXPECT_EQ(out[1].Slot, kStackBase + 4 * 8);
  EXPECT_EQ(out[1].Call.CallAddr, kCodeBase + 0x2E);
  EXPECT_FALSE(out[1].Call.HasTarget);
  EXPECT_EQ(out[2].Slot, kStackBase + 8);
  EXPECT_EQ(out[2].Call.Target, kCodeBase + 0x30);
}

TEST(StackScan, StopsAtTheBufferAndRoundsTheRangeToSlots) {
  TFakeProcess process;
  for (size_t i = 0; i < 16; ++i) process.Slot(i, kCodeBase + 0x10);
  TStackCandidate out[4];
  EXPECT_EQ(ScanStack(process, process, kStackBase, kStackBase + 128, out), 4u);
  EXPECT_EQ(out[0].Slot, kStackBase + 15 * 8);
  TStackCandidate all[32];
  // An unaligned range covers only whole slots inside it.
  EXPECT_EQ(ScanStack(process, process, kStackBase + 3, kStackBase + 29, all), 2u);
  // Unreadable memory yields nothing.
  EXPECT_EQ(ScanStack(process, process, 0x9000, 0x9100, all), 0u);
}

}  // namespace
}  // namespace palvetta
