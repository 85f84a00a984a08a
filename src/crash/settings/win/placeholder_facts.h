#pragma once
// The placeholders' facts from the system, through plain Win32 calls.

#include "crash/settings/placeholders.h"

namespace palvetta {

IPlaceholderFacts& WindowsPlaceholderFacts();

}  // namespace palvetta
