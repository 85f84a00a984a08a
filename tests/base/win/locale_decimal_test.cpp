#include "base/win/locale_decimal.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace palvetta {
namespace {

wchar_t ThreadLocaleSeparator() {
  wchar_t buffer[4] = {};
  GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, buffer, 4);
  return buffer[0];
}

TEST(LocaleDecimalSeparator, KeepsItsFirstAnswer) {
  const LCID before = GetThreadLocale();
  const char16_t first = LocaleDecimalSeparator();
  EXPECT_EQ(first, static_cast<char16_t>(ThreadLocaleSeparator()));

  // Switch to a locale with the other separator: the cached answer stays.
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
  const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  ASSERT_TRUE(SetThreadLocale(first == u',' ? english : german));
  ASSERT_NE(static_cast<char16_t>(ThreadLocaleSeparator()), first);
  EXPECT_EQ(LocaleDecimalSeparator(), first);
  SetThreadLocale(before);
}

}  // namespace
}  // namespace palvetta
