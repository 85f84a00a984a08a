#pragma once
// UTF-16 text the tests compare as plain ASCII: each unit taken as one byte.

#include <string>

namespace palvetta {

inline std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

}  // namespace palvetta
