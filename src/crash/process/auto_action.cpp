#include "crash/process/auto_action.h"

namespace palvetta {

bool AutoActionDue(uint32_t setting, const TExceptionTimes& times, int64_t now) noexcept {
  if (setting <= 1) return setting == 1;
  for (const int64_t time : times) {
    if (time == 0 || now - time > static_cast<int64_t>(setting)) return false;
  }
  return true;
}

}  // namespace palvetta
