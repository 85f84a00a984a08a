#include "base/wide_text.h"

#include "base/text_search.h"

namespace palvetta {

std::string WideLowBytesToAnsi(const char16_t* text) {
  std::string result(StrLenW(text), '\0');
  for (size_t i = 0; i < result.size(); ++i) result[i] = static_cast<char>(text[i] & 0xFF);
  return result;
}

bool IsIdentifierText(std::u16string_view text, bool allowDots) noexcept {
  const auto startsName = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c > 255;
  };
  if (text.empty() || !startsName(text.front())) return false;
  for (char16_t c : text.substr(1)) {
    if (!startsName(c) && !(c >= u'0' && c <= u'9') && !(allowDots && c == u'.')) return false;
  }
  return true;
}

}  // namespace palvetta
