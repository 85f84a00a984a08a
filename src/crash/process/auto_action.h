#pragma once
// The rule of the settings AutoRestart and AutoClose: whether the automatic action
// applies to the exception that just happened.

#include <array>
#include <cstdint>

namespace palvetta {

// The times of the last 10 exceptions, newest first, in whole seconds since 1601-01-01
// UTC; 0 where none was recorded yet.
using TExceptionTimes = std::array<int64_t, 10>;

// 0: never; 1: always; n > 1: when all 10 recorded exceptions happened within the last n
// seconds.
bool AutoActionDue(uint32_t setting, const TExceptionTimes& times, int64_t now) noexcept;

}  // namespace palvetta
