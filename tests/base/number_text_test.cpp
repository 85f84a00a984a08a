#include "base/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace palvetta {
namespace {

TEST(NumberText, DecimalPadding) {
  struct Case {
    int64_t value;
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
      {INT64_MIN, 0, ' ', "-9223372036854775808"},
      {INT64_MAX, 0, ' ', "9223372036854775807"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Int64ToDecPadA(c.value, c.width, c.fill), c.text);
    std::u16string wide;
    for (const char* p = c.text; *p; ++p) wide.push_back(static_cast<char16_t>(*p));
    EXPECT_EQ(Int64ToDecPadW(c.value, c.width, static_cast<char16_t>(c.fill)), wide);
  }
  EXPECT_EQ(IntToDecPadW(-5, 4, u'0'), u"-005");
  EXPECT_EQ(IntToDecPadA(INT32_MIN), "-2147483648");
  EXPECT_EQ(CardToDecPadA(UINT32_MAX, 12, '0'), "004294967295");
  EXPECT_EQ(CardToDecPadW(3, 2, u'0'), u"03");
}

TEST(NumberText, HexadecimalForms) {
  EXPECT_EQ(CardToHexPadW(0, 8, u'0'), u"$00000000");
  EXPECT_EQ(IntToHexPadA(-1, 1, '0'), "$ffffffff");  // a 32-bit pattern, no sign
  EXPECT_EQ(IntToHexPadW(-1), u"$ffffffff");
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

TEST(NumberText, BufferFormsCutAndCountWithoutAllocating) {
  char buffer[6];
  EXPECT_EQ(FormatHexA(buffer, sizeof buffer, 0x1234, 8, '0'), 9u);
  EXPECT_STREQ(buffer, "$0000");
  EXPECT_EQ(FormatDecimalA(buffer, sizeof buffer, -42, 5, '0'), 5u);
  EXPECT_STREQ(buffer, "-0042");
  EXPECT_EQ(FormatDecimalA(nullptr, 0, 123, 0, ' '), 3u);  // measuring only
  char wide[32];
  EXPECT_EQ(FormatHexA(wide, sizeof wide, 0x00007FF6ABCD1234, 16, '0'), 17u);
  EXPECT_STREQ(wide, "$00007ff6abcd1234");
}

TEST(NumberText, PadToWidth) {
  EXPECT_EQ(PadToWidthA("-5", 4, '0'), "-005");
  EXPECT_EQ(PadToWidthA("-5", 4, '*'), "**-5");
  EXPECT_EQ(PadToWidthA("ab", -4, '.'), "ab..");
  EXPECT_EQ(PadToWidthA("abc", 2, '.'), "abc");
  EXPECT_EQ(PadToWidthA("", 2, '0'), "00");
  EXPECT_EQ(PadToWidthW(u"-x", 3, u'0'), u"-0x");
  EXPECT_EQ(PadToWidthW(u"x", 0, u'0'), u"x");
}

TEST(NumberText, DigitsToInt) {
  struct Case {
    bool hexadecimal;
    const char* digits;
    int32_t value;
  };
  const Case cases[] = {
      {false, "", 0},
      {false, "123", 123},
      {false, "-123", -123},
      {true, "ff", 255},
      {true, "FF", 255},
      {true, "-10", -16},
      {false, "1x2", 102},                   // anything else counts 0
      {false, "a", 10},                      // hex digits count in decimal too
      {true, "ffffffff", -1},                // wraps without complaint
      {false, "4294967297", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(DigitsToIntA(c.hexadecimal, c.digits), c.value);
    std::u16string wide(c.digits, c.digits + std::char_traits<char>::length(c.digits));
    EXPECT_EQ(DigitsToIntW(c.hexadecimal, wide), c.value);
  }
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

TEST(NumberText, BoolToPlusMinus) {
  EXPECT_EQ(BoolToPlusMinus(true), '+');
  EXPECT_EQ(BoolToPlusMinus(false), '-');
}

}  // namespace
}  // namespace palvetta
