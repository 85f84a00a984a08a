#include "base/text_search.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(TextSearch, PositionsInRanges) {
  struct Case {
    const char* sub;
    const char* text;
    size_t from;
    size_t to;
    size_t position;
  };
  const Case cases[] = {
      {"ab", "xabyab", 0, kToEnd, 1},
      {"ab", "xabyab", 2, kToEnd, 4},
      {"ab", "xabyab", 0, 3, 1},
      {"ab", "xabyab", 2, 3, kNotFound},  // the range names start indexes
      {"ab", "xabyab", 2, 4, 4},
      {"ab", "xabyab", kToEnd, 0, 4},     // backwards: the last occurrence
      {"ab", "xabyab", 3, 0, 1},          // the last one starting at or before 3
      {"ab", "xabyab", 5, 2, 4},          // the start is limited to where sub still fits
      {"ab", "xabyab", 3, 2, kNotFound},
      {"ab", "xabyab", 9, kToEnd, kNotFound},  // a start behind the text
      {"ab", "xabyab", kToEnd, 5, kNotFound},  // backwards to a limit behind the last fit
      {"", "xab", 0, kToEnd, kNotFound},
      {"ab", "", 0, kToEnd, kNotFound},
      {"abc", "ab", 0, kToEnd, kNotFound},
      {"aa", "aaaa", 1, kToEnd, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sub << " in " << c.text << " " << c.from << ".." << c.to);
    EXPECT_EQ(PosTextA(c.sub, c.text, c.from, c.to), c.position);
    const std::u16string sub(c.sub, c.sub + std::char_traits<char>::length(c.sub));
    const std::u16string text(c.text, c.text + std::char_traits<char>::length(c.text));
    EXPECT_EQ(PosInRange(sub, text, c.from, c.to), c.position);
  }
}

TEST(TextSearch, IgnoringCaseFoldsWindows1252Letters) {
  EXPECT_EQ(PosTextA("AB", "xaby"), 1u);
  EXPECT_EQ(PosTextA("\xC4", "x\xE4"), 1u);  // Ä and ä
  EXPECT_EQ(PosTextA("\x8A", "\x9A"), 0u);   // Š and š
  EXPECT_EQ(PosInRange(u"STRASSE", u"die strasse"), 4u);
  EXPECT_EQ(PosInRange(u"\u0416", u"\u0436"), kNotFound);  // above 255: exact only
  EXPECT_TRUE(SameTextW(u"\u00C9t\u00C9", u"\u00E9T\u00E9"));
  EXPECT_FALSE(SameTextW(u"\u0100", u"\u0101"));
  EXPECT_FALSE(SameTextW(u"ab", u"abc"));
  EXPECT_TRUE(SameTextW(u"MixED", u"mixed"));
  EXPECT_FALSE(SameTextW(u"\u00D7", u"\u00F7"));  // × is no capital of ÷
  EXPECT_TRUE(SameTextW(u"\u009F", u"\u00FF"));  // Windows-1252's Ÿ and ÿ
}

TEST(TextSearch, Compare) {
  EXPECT_EQ(CompareTextW(u"abc", u"ABC"), 0);
  EXPECT_LT(CompareTextW(u"abc", u"abd"), 0);
  EXPECT_EQ(CompareTextW(u"abd", u"ABC"), 1);
  EXPECT_EQ(CompareTextW(u"ab", u"abcd"), -2);
}

}  // namespace
}  // namespace palvetta
