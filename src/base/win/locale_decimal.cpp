#include "base/win/locale_decimal.h"

#include <windows.h>

namespace palvetta {

char16_t LocaleDecimalSeparator() noexcept {
  static const char16_t separator = [] {
    wchar_t buffer[2] = {};
    return GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, buffer, 2) > 0 ? static_cast<char16_t>(buffer[0])
                                                                              : u',';
  }();
  return separator;
}

}  // namespace palvetta
