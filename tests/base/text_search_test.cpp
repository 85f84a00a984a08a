#include "base/text_search.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(TextSearch, PositionsInRanges) {
  struct Case {
    const char* sub;
    const char* text;
    int from;
    int to;
    int position;
  };
  const Case cases[] = {
      {"ab", "xabyab", 1, kToEnd, 2},
      {"ab", "xabyab", 3, kToEnd, 5},
      {"ab", "xabyab", 1, 4, 2},
      {"ab", "xabyab", 3, 4, 0},        // the range names start positions
      {"ab", "xabyab", 3, 5, 5},
      {"ab", "xabyab", kToEnd, 1, 5},   // backwards: the last occurrence
      {"ab", "xabyab", 4, 1, 2},        // the last one starting at or before 4
      {"ab", "xabyab", 6, 3, 5},        // the start is limited to where sub still fits
      {"ab", "xabyab", 4, 3, 0},
      {"ab", "xabyab", 0, kToEnd, 0},   // 0 in the range finds nothing
      {"ab", "xabyab", 1, 0, 0},
      {"", "xab", 1, kToEnd, 0},
      {"ab", "", 1, kToEnd, 0},
      {"abc", "ab", 1, kToEnd, 0},
      {"aa", "aaaa", 2, kToEnd, 2},
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
  EXPECT_EQ(PosTextA("AB", "xaby"), 2);
  EXPECT_EQ(PosTextA("\xC4", "x\xE4"), 2);  // Ä and ä
  EXPECT_EQ(PosTextA("\x8A", "\x9A"), 1);   // Š and š
  EXPECT_EQ(PosInRange(u"STRASSE", u"die strasse"), 5);
  EXPECT_EQ(PosInRange(u"\u0416", u"\u0436"), 0);  // above 255: exact only
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

TEST(TextSearch, BufferWorkerReadsUpToTheZeroWhenGivenNoLength) {
  const char text[] = "one two two";
  EXPECT_EQ(FindInBufferA("two", 0, text, 0, 0, kToEnd, false), 4);
  EXPECT_EQ(FindInBufferA("TWO", 0, text, 0, kToEnd, 0, true), 8);
  EXPECT_EQ(FindInBufferA("two", 3, text, 5, 0, kToEnd, false), -1);  // the length limits it
  EXPECT_EQ(FindInBufferW(u"o", 0, u"foo", 0, 0, kToEnd, false), 1);
}

}  // namespace
}  // namespace palvetta
