#pragma once
// The prepared stack of the calling thread, taken where an exception is raised.

#include <cstddef>
#include <cstdint>
#include <span>

#include "crash/stack/prepared_stack.h"

namespace palvetta {

// The candidates from the caller's stack pointer up to the thread's stack base, outermost
// first (see PrepareStack). No heap, no exceptions; 0 when the stack base is unknown.
size_t PrepareCurrentStack(uint64_t framePointer, uint64_t stopValue, bool stopAtValue,
                           std::span<TPreparedEntry> out) noexcept;

}  // namespace palvetta
