#include "system/version_text.h"

namespace palvetta {
namespace {

std::u16string Decimal(uint32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

void AppendHex4(std::u16string& text, uint16_t value) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::u16string FileVersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant) {
  return Decimal(mostSignificant >> 16) + u"." + Decimal(mostSignificant & 0xFFFF) + u"." +
         Decimal(leastSignificant >> 16) + u"." + Decimal(leastSignificant & 0xFFFF);
}

std::u16string TranslationKey(uint16_t language, uint16_t codePage) {
  std::u16string key;
  AppendHex4(key, language);
  AppendHex4(key, codePage);
  return key;
}

}  // namespace palvetta
