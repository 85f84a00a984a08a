#include "base/wide_text.h"

#include <gtest/gtest.h>

#include "base/utf.h"

namespace palvetta {
namespace {

TEST(WideText, Utf8RoundTrips) {
  struct Case {
    const char* utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"abc", u"abc"},
      {"J\xC3\xBCrgen", u"J\u00FCrgen"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // four bytes: a surrogate pair
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
  }
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Utf8ToUtf16("a\xFF"), u"a\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

TEST(WideText, LowBytes) {
  EXPECT_EQ(WideLowBytesToAnsi(u"ab\u0141c"), "ab\x41" "c");
  EXPECT_EQ(WideLowBytesToAnsi(u""), "");
  EXPECT_EQ(WideLowBytesToAnsi(nullptr), "");
}

TEST(WideText, Identifiers) {
  struct Case {
    const char16_t* text;
    bool plain;
    bool dotted;
  };
  const Case cases[] = {
      {u"", false, false},        {u"a", true, true},         {u"_a1", true, true},
      {u"1a", false, false},      {u"a.b", false, true},      {u".a", false, false},
      {u"a-b", false, false},     {u"\u00E9a", false, false},  // é is below 256 and no letter here
      {u"\u0436x", true, true},   {u"Unit.Class.Method", false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsIdentifierText(c.text, false), c.plain);
    EXPECT_EQ(IsIdentifierText(c.text, true), c.dotted);
  }
}

}  // namespace
}  // namespace palvetta
