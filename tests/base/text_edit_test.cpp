#include "base/text_edit.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(TextEdit, Trimming) {
  std::u16string text(u"\0\t a b \x1F", 7);
  EXPECT_TRUE(TrimInPlaceW(text));
  EXPECT_EQ(text, u"a b");
  EXPECT_FALSE(TrimInPlaceW(text));
  std::string blank = std::string(" \0\r\n", 4);
  EXPECT_TRUE(TrimInPlaceA(blank));
  EXPECT_EQ(blank, "");
  EXPECT_EQ(TrimA("\xA0x\xA0"), "\xA0x\xA0");  // only #0..#32 count
  EXPECT_EQ(TrimW(u"  x"), u"x");
}

TEST(TextEdit, Removing) {
  std::u16string text = u"a-b-c";
  EXPECT_TRUE(KillCharW(text, u'-'));
  EXPECT_EQ(text, u"abc");
  EXPECT_FALSE(KillCharW(text, u'-'));

  text = u"a1b2\u0131";
  EXPECT_TRUE(KillCharSetW(text, TCharSet::Range('0', '9')));
  EXPECT_EQ(text, u"ab\u0131");

  text = u"xabyabab";
  EXPECT_TRUE(KillSubStrW(text, u"ab"));
  EXPECT_EQ(text, u"xy");
  EXPECT_FALSE(KillSubStrW(text, u""));
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
    std::string text = c.text;
    EXPECT_EQ(ReplaceStrA(text, c.sub, c.replacement, c.rescan), c.changed);
    EXPECT_EQ(text, c.result);
    std::u16string wide(c.text, c.text + std::char_traits<char>::length(c.text));
    const std::u16string sub(c.sub, c.sub + std::char_traits<char>::length(c.sub));
    const std::u16string replacement(c.replacement, c.replacement + std::char_traits<char>::length(c.replacement));
    EXPECT_EQ(ReplaceStrW(wide, sub, replacement, c.rescan), c.changed);
    EXPECT_EQ(wide, std::u16string(c.result, c.result + std::char_traits<char>::length(c.result)));
  }
}

TEST(TextEdit, ReplacingIgnoringCase) {
  std::string text = "Path PATH path";
  EXPECT_TRUE(ReplaceTextA(text, "path", "dir", false));
  EXPECT_EQ(text, "dir dir dir");
  EXPECT_FALSE(ReplaceStrA(text, "DIR", "x", false));

  std::u16string wide = u"\u00C4\u00E4";
  EXPECT_TRUE(ReplaceTextW(wide, u"\u00E4", u"ae", false));
  EXPECT_EQ(wide, u"aeae");
  // The refusal ignores case too: "A" holds "a".
  wide = u"aa";
  EXPECT_FALSE(ReplaceTextW(wide, u"a", u"xA", true));
  EXPECT_EQ(wide, u"aa");
}

TEST(TextEdit, DeleteAndKeepRanges) {
  EXPECT_EQ(StrDeleteCopyA("abcdef", 2, 3), "aef");
  EXPECT_EQ(StrDeleteCopyA("abcdef", 5, 10), "abcd");
  EXPECT_EQ(StrDeleteCopyA("abcdef", 0, 2), "abcdef");
  EXPECT_EQ(StrDeleteCopyA("abcdef", 7, 1), "abcdef");
  EXPECT_EQ(StrDeleteCopyW(u"abc", 1, 0), u"abc");
  EXPECT_EQ(StrDeleteCopyW(u"abc", 3, 1), u"ab");

  struct Case {
    int index;
    int count;
    const char* kept;
  };
  const Case cases[] = {{2, 3, "bcd"}, {0, 2, "ab"}, {-5, 2, "ab"}, {5, 9, "ef"},
                        {7, 1, ""},    {1, 0, ""},   {1, 6, "abcdef"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.index << "," << c.count);
    std::string text = "abcdef";
    EXPECT_EQ(KeepRangeA(text, c.index, c.count), std::string(c.kept) != "abcdef");
    EXPECT_EQ(text, c.kept);
  }
  std::u16string wide = u"abc";
  EXPECT_TRUE(KeepRangeW(wide, 2, 1));
  EXPECT_EQ(wide, u"b");
}

TEST(TextEdit, RightChars) {
  EXPECT_EQ(RightChars(u"abcdef", 2), u"ef");
  EXPECT_EQ(RightChars(u"abc", 3), u"abc");
  EXPECT_EQ(RightChars(u"abc", 9), u"abc");
  EXPECT_EQ(RightChars(u"abc", 0), u"");
  EXPECT_EQ(RightChars(u"abc", -1), u"");
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
