#include "base/win/wide.h"

#include "base/utf.h"

namespace palvetta {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view utf8) { return Utf8ToUtf16Units<wchar_t>(utf8); }

std::string Narrow(std::wstring_view utf16) { return Utf16UnitsToUtf8(utf16); }

}  // namespace palvetta
