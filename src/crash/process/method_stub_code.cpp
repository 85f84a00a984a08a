#include "crash/process/method_stub_code.h"

#include <cstring>

namespace palvetta {
namespace {

// The four register arguments move one place on (the fourth to the stack), the object
// becomes the first, the target is called with a frame of shadow space plus the fifth
// argument's slot; 0x38 keeps the stack 16-byte aligned at the call.
constexpr uint8_t kFrameSize = 0x38;
constexpr size_t kObjectImmediate = 20;
constexpr size_t kTargetImmediate = 30;
constexpr uint8_t kCode[] = {
    0x48, 0x83, 0xEC, kFrameSize,              // sub rsp, 0x38
    0x4C, 0x89, 0x4C, 0x24, 0x20,              // mov [rsp+0x20], r9
    0x4D, 0x89, 0xC1,                          // mov r9, r8
    0x49, 0x89, 0xD0,                          // mov r8, rdx
    0x48, 0x89, 0xCA,                          // mov rdx, rcx
    0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0,        // mov rcx, object
    0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0,        // mov rax, target
    0xFF, 0xD0,                                // call rax
    0x48, 0x83, 0xC4, kFrameSize,              // add rsp, 0x38
    0xC3,                                      // ret
};
static_assert(sizeof(kCode) <= kStubCodeSize);
constexpr uint8_t kPrologSize = 4;

// Version 1, no handler, a prolog of one instruction, one unwind code: a small stack
// allocation (operation 2) of (info * 8 + 8) bytes, padded to an even code count.
constexpr uint8_t kUnwindInfo[kStubUnwindInfoSize] = {
    0x01, kPrologSize, 1, 0, kPrologSize, static_cast<uint8_t>(0x02 | ((kFrameSize - 8) / 8) << 4), 0, 0,
};

void PutU32(uint8_t* at, uint32_t value) noexcept { std::memcpy(at, &value, sizeof value); }

}  // namespace

std::array<uint8_t, kStubBlockSize> MethodStubBlock(const void* object, TStubTarget target) noexcept {
  std::array<uint8_t, kStubBlockSize> block{};
  block.fill(0xCC);
  std::memcpy(block.data(), kCode, sizeof kCode);
  const auto objectValue = reinterpret_cast<uint64_t>(object);
  const auto targetValue = reinterpret_cast<uint64_t>(target);
  std::memcpy(block.data() + kObjectImmediate, &objectValue, 8);
  std::memcpy(block.data() + kTargetImmediate, &targetValue, 8);
  std::memcpy(block.data() + kStubUnwindInfoOffset, kUnwindInfo, sizeof kUnwindInfo);
  uint8_t* entry = block.data() + kStubFunctionEntryOffset;
  PutU32(entry, 0);
  PutU32(entry + 4, sizeof kCode);
  PutU32(entry + 8, kStubUnwindInfoOffset);
  return block;
}

}  // namespace palvetta
