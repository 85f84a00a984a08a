#include "base/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace palvetta {
namespace {

TEST(NumberText, DecimalPadding) {
  struct Case {
    int32_t value;
    int width;
    char fill;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, ' ', "0"},
      {-5, 4, '0', "-005"},      // a digit fill goes behind the sign
      {-5, 4, ' ', "  -5"},      // any other in front of it
      {-5, -4, '0', "-500"},     // right padding simply appends
      {42, -5, '.', "42..."},
      {12345, 3, '0', "12345"},  // never cut
      {7, 1, '0', "7"},
      {INT32_MIN, 0, ' ', "-2147483648"},
      {INT32_MAX, 0, ' ', "2147483647"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IntToDecPadA(c.value, c.width, c.fill), c.text);
  }
  EXPECT_EQ(CardToDecPadA(UINT32_MAX, 12, '0'), "004294967295");
  EXPECT_EQ(CardToDecPadW(3, 2, u'0'), u"03");
}

TEST(NumberText, HexadecimalForms) {
  EXPECT_EQ(CardToHexPadW(0, 8, u'0'), u"$00000000");
  EXPECT_EQ(IntToHexPadA(-1, 1, '0'), "$ffffffff");  // a 32-bit pattern, no sign
  EXPECT_EQ(CardToHexPadA(255, 8, '0'), "$000000ff");
  EXPECT_EQ(CardToHexPadA(255, 8, 'F'), "$FFFFFFff");  // any hex digit goes inside
  EXPECT_EQ(CardToHexPadA(255, 4, ' '), "  $ff");     // other fills in front of "$"
  EXPECT_EQ(CardToHexPadA(255, -4, ' '), "$ff  ");
  EXPECT_EQ(CardToHexPadW(255, 4, u'\u0660'), u"\u0660\u0660$ff");  // above 255 is no hex digit
  EXPECT_EQ(CardToHexPadW(0xABCDEF12, 4, u'0'), u"$abcdef12");
  EXPECT_EQ(Int64ToHexPadA(0x100000001), "$100000001");
  EXPECT_EQ(Int64ToHexPadA(0xFFFFFFFF), "$ffffffff");
  EXPECT_EQ(Int64ToHexPadA(-1), "$ffffffffffffffff");
  EXPECT_EQ(Int64ToHexPadA(0x1234500000000), "$1234500000000");
}

TEST(NumberText, SizeToText) {
  struct Case {
    int64_t size;
    const char16_t* text;
  };
  const Case cases[] = {
      {0, u"0 Bytes"},
      {1023, u"1023 Bytes"},
      {-1023, u"1023 Bytes"},  // the magnitude
      {1024, u"1,00 KB"},
      {1536, u"1,50 KB"},
      {1048575, u"1023,99 KB"},
      {1048576, u"1,00 MB"},
      {0x3FFFFFFF, u"1023,99 MB"},
      {0x40000000, u"1,00 GB"},
      {int64_t{5} << 40, u"5120,00 GB"},
      {INT64_MIN, u"8589934592,00 GB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(SizeToText(c.size, u','), c.text);
  }
  EXPECT_EQ(SizeToText(1536, u'.'), u"1.50 KB");
}

}  // namespace
}  // namespace palvetta
