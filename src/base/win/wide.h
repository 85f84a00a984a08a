#pragma once
// UTF-8 to and from the UTF-16 of the Windows W functions.

#include <string>
#include <string_view>

namespace palvetta {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace palvetta
