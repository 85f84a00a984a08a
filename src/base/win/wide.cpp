#include "base/win/wide.h"

#include "base/utf.h"

namespace palvetta {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string Narrow(std::wstring_view utf16) {
  return Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

}  // namespace palvetta
