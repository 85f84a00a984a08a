// Feeds the stack scan and the prepared stack raw stack bytes over made-up code: any
// stack, frame chain or code must give candidates that are return addresses found in the
// range, never a fault or a read outside the bytes. Layout of the input: one byte of
// flags (bit 0 stop at a value, bit 1 a frame pointer), one byte with the code's length
// in 16-byte units, two bytes each for the frame pointer's and the stop value's offsets,
// one byte that trims the range's ends; then the code, then the stack. A stack slot whose
// top byte is 0xC0 holds an address in the code, one whose top byte is 0x5A an address
// in the stack (its low 16 bits the offset), so that the fuzzer reaches call sites and
// frame chains without guessing 64-bit addresses.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "crash/stack/prepared_stack.h"
#include "crash/stack/stack_scan.h"

using namespace palvetta;

namespace {

constexpr uint64_t kCode = 0x7ff600001000;
constexpr uint64_t kStack = 0x000000c0fff000;
constexpr size_t kHeader = 7;
constexpr size_t kMaxOut = 32;

// The code and the stack, each in a buffer of its exact size.
class TTwoRanges final : public IMemoryReader, public ICodeRanges {
 public:
  TTwoRanges(std::span<const uint8_t> code, std::span<const uint8_t> stack) : FCode(kCode, code), FStack(kStack, stack) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    return FCode.Read(address, out, count) || FStack.Read(address, out, count);
  }
  bool IsCode(uint64_t address) const noexcept override { return address - kCode < FCode.Bytes().size(); }

 private:
  TBufferReader FCode;
  TBufferReader FStack;
};

uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint64_t SlotValue(uint64_t raw, size_t codeSize, size_t stackSize) {
  const auto offset = static_cast<uint16_t>(raw);
  switch (raw >> 56) {
    case 0xC0: return kCode + offset % (codeSize + 8);
    case 0x5A: return kStack + offset % (stackSize + 8);
    default: return raw;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeader) return 0;
  const uint8_t flags = data[0];
  const size_t codeSize = std::min<size_t>(size_t{data[1]} * 16, size - kHeader);
  const size_t stackSize = (size - kHeader - codeSize) & ~size_t{7};
  const std::unique_ptr<uint8_t[]> code(new uint8_t[codeSize]);
  std::memcpy(code.get(), data + kHeader, codeSize);
  const std::unique_ptr<uint8_t[]> stack(new uint8_t[stackSize]);
  for (size_t at = 0; at < stackSize; at += 8) {
    uint64_t raw;
    std::memcpy(&raw, data + kHeader + codeSize + at, 8);
    const uint64_t value = SlotValue(raw, codeSize, stackSize);
    std::memcpy(stack.get() + at, &value, 8);
  }
  const TTwoRanges memory({code.get(), codeSize}, {stack.get(), stackSize});

  const uint64_t framePointer = (flags & 2) != 0 ? kStack + Word(data + 2) % (stackSize + 16) : 0;
  const uint64_t stopValue = kCode + Word(data + 4) % (codeSize + 8);
  // The range's ends need not be slot-aligned nor inside the bytes.
  const uint64_t bottom = kStack + (data[6] & 15);
  const uint64_t top = kStack + stackSize + 8 - (data[6] >> 4);

  TStackCandidate scanned[kMaxOut];
  const size_t scanCount = ScanStack(memory, memory, bottom, top, scanned);
  if (scanCount > kMaxOut) std::abort();
  for (size_t i = 0; i < scanCount; ++i) {
    const TStackCandidate& c = scanned[i];
    if (c.Slot < bottom || c.Slot + 8 > top || c.Slot % 8 != 0 || !memory.IsCode(c.AfterInstr - 1)) std::abort();
  }

  TPreparedEntry prepared[kMaxOut];
  const size_t preparedCount =
      PrepareStack(memory, memory, framePointer, bottom, top, stopValue, (flags & 1) != 0, prepared);
  if (preparedCount > kMaxOut) std::abort();
  for (size_t i = 0; i < preparedCount; ++i) {
    if (!memory.IsCode(prepared[i].Address - 1)) std::abort();
    if ((flags & 1) != 0 && prepared[i].Address == stopValue) std::abort();
  }
  return 0;
}
