#include "base/text_edit.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(TextEdit, Trimming) {
  std::u16string text(u"\0\t a b \x1F", 7);
  EXPECT_TRUE(TrimInPlaceW(text));
  EXPECT_EQ(text, u"a b");
  EXPECT_FALSE(TrimInPlaceW(text));
  std::u16string blank(u" \0\r\n", 4);
  EXPECT_TRUE(TrimInPlaceW(blank));
  EXPECT_EQ(blank, u"");
  std::u16string wide = u"\u00A0x\u00A0";
  EXPECT_FALSE(TrimInPlaceW(wide));  // only #0..#32 count
}

TEST(TextEdit, Replacing) {
  struct Case {
    const char* text;
    const char* sub;
    const char* replacement;
    bool rescan;
    const char* result;
    bool changed;
  };
  const Case cases[] = {
      {"a.b.c", ".", "::", false, "a::b::c", true},
      {"aaa", "a", "aa", false, "aaaaaa", true},     // the replacement is not searched again
      {"xx", "x", "", false, "", true},
      {"abc", "z", "y", false, "abc", false},
      {"abc", "", "y", false, "abc", false},
      {"a  b   c", "  ", " ", true, "a b c", true},  // rescan: blanks collapse to one
      {"a  b   c", "  ", " ", false, "a b  c", true},
      {"abb", "ab", "aa", true, "aaa", true},          // a match reaching past the replacement
      // A rescan whose replacement holds what it searches for would grow for ever: refused.
      {"aaa", "a", "aa", true, "aaa", false},
      {"x", "x", "x", true, "x", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " " << c.sub << " -> " << c.replacement << " " << c.rescan);
    std::u16string wide(c.text, c.text + std::char_traits<char>::length(c.text));
    const std::u16string sub(c.sub, c.sub + std::char_traits<char>::length(c.sub));
    const std::u16string replacement(c.replacement, c.replacement + std::char_traits<char>::length(c.replacement));
    EXPECT_EQ(ReplaceStr(wide, sub, replacement, c.rescan), c.changed);
    EXPECT_EQ(wide, std::u16string(c.result, c.result + std::char_traits<char>::length(c.result)));
  }
}

TEST(TextEdit, ReplacingIgnoringCase) {
  std::u16string wide = u"Path PATH path";
  EXPECT_TRUE(ReplaceText(wide, u"path", u"dir", false));
  EXPECT_EQ(wide, u"dir dir dir");
  EXPECT_FALSE(ReplaceStr(wide, u"DIR", u"x", false));

  wide = u"\u00C4\u00E4";
  EXPECT_TRUE(ReplaceText(wide, u"\u00E4", u"ae", false));
  EXPECT_EQ(wide, u"aeae");
  // The refusal ignores case too: "A" holds "a".
  wide = u"aa";
  EXPECT_FALSE(ReplaceText(wide, u"a", u"xA", true));
  EXPECT_EQ(wide, u"aa");
}

TEST(TextEdit, CleanDelimitedList) {
  struct Case {
    const char16_t* text;
    const char16_t* cleaned;
  };
  const Case cases[] = {
      {u"a , b", u"a,b"},
      {u" ,a,,  ,b c ,\t", u"a,b c"},  // blanks inside an item stay
      {u"a,b", u"a,b"},
      {u",, ,", u""},
      {u"", u""},
  };
  for (const auto& c : cases) {
    std::u16string text = c.text;
    EXPECT_EQ(CleanDelimitedList(text, u','), std::u16string(c.text) != c.cleaned);
    EXPECT_EQ(text, c.cleaned);
  }
  std::u16string unchanged = u"a;b";
  EXPECT_FALSE(CleanDelimitedList(unchanged, u';'));
}

}  // namespace
}  // namespace palvetta
