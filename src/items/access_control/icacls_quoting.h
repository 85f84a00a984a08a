#pragma once
// How ICACLS's user names and rights are written.

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

// A user name or SID: trimmed, without a double quote at either end, trimmed again, and
// wrapped in double quotes when it holds a blank, a TAB or one of % & ( ) < > ^ |.
std::string ICACLSQuoteSID(std::string_view text);

}  // namespace palvetta
