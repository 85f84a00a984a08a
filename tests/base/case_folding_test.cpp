#include "base/case_folding.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(CaseFolding, FoldingTableIsWindows1252Lowercase) {
  struct Case {
    char16_t from;
    char16_t to;
  };
  const Case cases[] = {
      {u'A', u'a'},       {u'Z', u'z'},       {u'a', u'a'},       {u'@', u'@'},
      {0x8A, 0x9A},       {0x8C, 0x9C},       {0x8E, 0x9E},       {0x9F, 0xFF},
      {0xC0, 0xE0},       {0xDE, 0xFE},       {0xD7, 0xD7},       {0xDF, 0xDF},
      {0x8B, 0x8B},       {0x0100, 0x0100},   {0x0416, 0x0416},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.from));
    EXPECT_EQ(FoldCharW(c.from), c.to);
    if (c.from < 256) {
      EXPECT_EQ(static_cast<unsigned char>(FoldCharA(static_cast<char>(c.from))), c.to);
    }
  }
}

TEST(CaseFolding, LowerCaseKnowsAsciiAndUmlauts) {
  EXPECT_EQ(LowerCaseW(u"A\u00C4\u00D6\u00DC\u00C9\u0100"), u"a\u00E4\u00F6\u00FC\u00C9\u0100");
}

}  // namespace
}  // namespace palvetta
