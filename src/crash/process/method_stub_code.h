#pragma once
// The machine code of a method stub: a plain x64 callback of up to four integer or
// pointer arguments that calls a routine with an object pointer put in front of them,
// so that a window procedure or another system callback can reach an object's method.
// The Windows build places it in executable memory (win/method_stub.h); the bytes are
// portable so that their layout is built in one place.

#include <array>
#include <cstddef>
#include <cstdint>

namespace palvetta {

// The routine a stub calls: the object, then the callback's four arguments.
using TStubTarget = intptr_t (*)(void* object, uintptr_t a, uintptr_t b, uintptr_t c, uintptr_t d);

// Layout of a stub block: the code, then its unwind information and the function-table
// entry that describes it to the system's unwinder (RVAs from the block's start), so that
// stack walks and exceptions pass through the stub's frame.
constexpr size_t kStubCodeSize = 48;
constexpr size_t kStubUnwindInfoOffset = kStubCodeSize;
constexpr size_t kStubUnwindInfoSize = 8;
constexpr size_t kStubFunctionEntryOffset = kStubUnwindInfoOffset + kStubUnwindInfoSize;
constexpr size_t kStubFunctionEntrySize = 12;
constexpr size_t kStubBlockSize = kStubFunctionEntryOffset + kStubFunctionEntrySize;

std::array<uint8_t, kStubBlockSize> MethodStubBlock(const void* object, TStubTarget target) noexcept;

}  // namespace palvetta
