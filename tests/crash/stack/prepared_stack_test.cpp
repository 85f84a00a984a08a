#include "crash/stack/prepared_stack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace palvetta {
namespace {

constexpr uint64_t kCode = 0x140001000;
constexpr uint64_t kStack = 0x5000;
constexpr size_t kSlots = 16;
constexpr uint64_t kTop = kStack + kSlots * 8;
constexpr uint64_t kAfterCall = kCode + 0x10;      // behind a direct call
constexpr uint64_t kAfterIndirect = kCode + 0x30;  // behind an indirect call
constexpr uint64_t kNoCallBefore = kCode + 0x20;   // into code, but after no call

constexpr uint64_t SlotAddress(size_t index) { return kStack + index * 8; }

// A code area with two calls and a stack of kSlots slots, as one address space.
class TFakeThread final : public IMemoryReader, public ICodeRanges {
 public:
  TFakeThread() {
    const uint8_t direct[] = {0xE8, 0x20, 0x00, 0x00, 0x00};
    std::memcpy(FCode.data() + 0x0B, direct, sizeof direct);
    const uint8_t indirect[] = {0xFF, 0xD0};
    std::memcpy(FCode.data() + 0x2E, indirect, sizeof indirect);
  }
  void Set(size_t slot, uint64_t value) { std::memcpy(FStack.data() + slot * 8, &value, 8); }

  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    return TBufferReader(kCode, FCode).Read(address, out, count) ||
           TBufferReader(kStack, FStack).Read(address, out, count);
  }
  bool IsCode(uint64_t address) const noexcept override { return address >= kCode && address < kCode + FCode.size(); }

  std::vector<TPreparedEntry> Prepare(uint64_t framePointer, uint64_t bottom = kStack, uint64_t stopValue = 0,
                                      bool stopAtValue = false, size_t capacity = kSlots) const {
    std::vector<TPreparedEntry> out(capacity);
    out.resize(PrepareStack(*this, *this, framePointer, bottom, kTop, stopValue, stopAtValue, out));
    return out;
  }

 private:
  std::vector<uint8_t> FCode = std::vector<uint8_t>(64, 0x90);
  std::vector<uint8_t> FStack = std::vector<uint8_t>(kSlots * 8, 0);
};

std::vector<std::pair<uint64_t, bool>> Pairs(const std::vector<TPreparedEntry>& entries) {
  std::vector<std::pair<uint64_t, bool>> pairs;
  for (const TPreparedEntry& entry : entries) pairs.emplace_back(entry.Address, entry.FrameSlot);
  return pairs;
}

TEST(PreparedStack, FrameChainSlotsAreFlaggedAndTheirSavedFramePointersSkipped) {
  TFakeThread thread;
  // Three frames chained upwards from slot 2; the outermost frame's saved value ends the
  // chain, and would pass for a return address if it were not skipped.
  thread.Set(2, SlotAddress(6));
  thread.Set(3, kAfterCall);
  thread.Set(6, SlotAddress(11));
  thread.Set(7, kAfterIndirect);
  thread.Set(11, kAfterIndirect);
  thread.Set(12, kAfterCall);
  // Values outside the chain: one real return address and the fakes.
  thread.Set(9, kAfterCall);
  thread.Set(13, kNoCallBefore);
  thread.Set(14, 7);
  thread.Set(15, kCode + 0x1000);  // beyond the code
  const std::vector<std::pair<uint64_t, bool>> expected{
      {kAfterCall, true}, {kAfterCall, false}, {kAfterIndirect, true}, {kAfterCall, true}};
  EXPECT_EQ(Pairs(thread.Prepare(SlotAddress(2))), expected);
}

TEST(PreparedStack, WhereTheFrameChainEnds) {
  struct TCase {
    const char* Name;
    uint64_t FramePointer;
    uint64_t Bottom;
    uint64_t Saved;  // the value at the frame pointer
    std::vector<std::pair<uint64_t, bool>> Expected;
  };
  const uint64_t fp = SlotAddress(2);
  const std::vector<TCase> cases{
      {"link to the highest frame allowed", fp, kStack, SlotAddress(14), {{kAfterCall, true}, {kAfterCall, true}}},
      {"link to a frame whose return slot is the top", fp, kStack, SlotAddress(15),
       {{kAfterCall, false}, {kAfterIndirect, false}, {kAfterCall, true}}},
      {"link downwards", fp, kStack, SlotAddress(1),
       {{kAfterCall, false}, {kAfterIndirect, false}, {kAfterCall, true}}},
      {"link to itself", fp, kStack, fp, {{kAfterCall, false}, {kAfterIndirect, false}, {kAfterCall, true}}},
      {"no frame pointer", 0, kStack, SlotAddress(14),
       {{kAfterCall, false}, {kAfterIndirect, false}, {kAfterCall, false}}},
      // The chain is followed from below the range; only slots inside it are taken.
      {"chain from below the range", fp, SlotAddress(4), SlotAddress(14), {{kAfterCall, true}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeThread thread;
    thread.Set(2, c.Saved);
    thread.Set(3, kAfterCall);
    thread.Set(14, kAfterIndirect);
    thread.Set(15, kAfterCall);
    EXPECT_EQ(Pairs(thread.Prepare(c.FramePointer, c.Bottom)), c.Expected);
  }
}

TEST(PreparedStack, StopValueAndCapacityCutTheInnerPart) {
  struct TCase {
    bool StopAtValue;
    uint64_t StopValue;
    size_t Capacity;
    std::vector<uint64_t> Expected;
  };
  const uint64_t marker = SlotAddress(9);  // any value: here one that is no return address
  const std::vector<TCase> cases{
      {false, marker, kSlots, {kAfterCall, kAfterIndirect, kAfterCall, kAfterIndirect}},
      {true, marker, kSlots, {kAfterCall, kAfterIndirect}},
      {true, kAfterIndirect, kSlots, {kAfterCall}},  // a return address stops it too
      {true, 0x4321, kSlots, {kAfterCall, kAfterIndirect, kAfterCall, kAfterIndirect}},
      {false, 0, 3, {kAfterCall, kAfterIndirect, kAfterCall}},
      {false, 0, 0, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "stop " << c.StopAtValue << " at " << c.StopValue << ", room " << c.Capacity);
    TFakeThread thread;
    thread.Set(15, kAfterCall);
    thread.Set(12, kAfterIndirect);
    thread.Set(9, marker);
    thread.Set(5, kAfterCall);
    thread.Set(1, kAfterIndirect);
    std::vector<uint64_t> addresses;
    for (const TPreparedEntry& entry : thread.Prepare(0, kStack, c.StopValue, c.StopAtValue, c.Capacity))
      addresses.push_back(entry.Address);
    EXPECT_EQ(addresses, c.Expected);
  }
}

}  // namespace
}  // namespace palvetta
