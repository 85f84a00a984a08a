#pragma once
// Differences of the system's 32-bit millisecond tick counter.

#include <cstdint>

namespace palvetta {

// Milliseconds from earlier to now, also across one wrap of the counter (every 49.7
// days): the difference modulo 2^32.
constexpr uint32_t TickDifference(uint32_t earlier, uint32_t now) noexcept { return now - earlier; }

}  // namespace palvetta
