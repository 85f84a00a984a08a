#include "app/rtf_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace palvetta {
namespace {

// Eight different colours, so that a swapped pair would show.
constexpr THighlighterColors kColors{
    .Comment = 0x010203,
    .Command = 0x0000FF,
    .Label = 0x112233,
    .Variable = 0x445566,
    .String = 0x778899,
    .Number = 0xAABBCC,
    .Operator = 0xDDEEFF,
    .PlainText = 0xFF0000,
};
constexpr TRgb kBackground = 0x1E1E1E;

std::string Rtf(std::string_view text) {
  return BatchToRtf(text, kColors, kBackground, "Consolas", 10);
}

// The document after its header: the coloured text and the closing brace.
std::string Body(std::string_view text) {
  const std::string rtf = Rtf(text);
  const std::string headerEnd = "\\highlight9\n";
  return rtf.substr(rtf.find(headerEnd) + headerEnd.size());
}

TEST(BatchToRtf, WholeDocument) {
  EXPECT_EQ(Rtf("@ECHO OFF\r\n"),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fmodern Consolas;}}\n"
            "{\\colortbl ;\\red1\\green2\\blue3;\\red0\\green0\\blue255;\\red17\\green34\\blue51;"
            "\\red68\\green85\\blue102;\\red119\\green136\\blue153;\\red170\\green187\\blue204;"
            "\\red221\\green238\\blue255;\\red255\\green0\\blue0;\\red30\\green30\\blue30;}\n"
            "\\pard\\f0\\fs20\\highlight9\n"
            "\\cf2 @ECHO\\cf8  \\cf2 OFF\\cf8 \\par\n"
            "}");
  EXPECT_NE(BatchToRtf("", kColors, kBackground, "Lucida Console", 11).find("\\fs22\\"),
            std::string::npos);
  // A size RTF cannot hold is brought into range rather than written as it is.
  EXPECT_NE(BatchToRtf("", kColors, kBackground, "Consolas", 0).find("\\fs2\\"), std::string::npos);
}

TEST(BatchToRtf, EachKindUsesItsColour) {
  // Colour N+1 of the table is the colour of kind N.
  EXPECT_EQ(Body("REM a\r\n:L\r\nCLS %x% \"s\" 2>&1 7"),
            "\\cf1 REM a\\cf8 \\par\n\\cf3 :L\\cf8 \\par\n\\cf2 CLS\\cf8  \\cf4 %x%\\cf8  \\cf5 "
            "\"s\"\\cf8  "
            "\\cf7 2>&1\\cf8  \\cf6 7}");
}

TEST(BatchToRtf, EscapesText) {
  struct Case {
    std::string text;
    std::string body;
  };
  const Case cases[] = {
      {"REM {x} \\ y", "\\cf1 REM \\{x\\} \\\\ y}"},
      {"REM é", "\\cf1 REM \\u233?}"},
      {"REM 中", "\\cf1 REM \\u20013?}"},
      // Above U+7FFF the unit is written as a negative 16-bit number.
      {"REM \xEF\xBF\xBD", "\\cf1 REM \\u-3?}"},
      {"REM 😀", "\\cf1 REM \\u-10179?\\u-8704?}"},
      // A byte that is not UTF-8 becomes the replacement character instead of being lost.
      {"REM \xFF", "\\cf1 REM \\u-3?}"},
      {"REM a\tb", "\\cf1 REM a\\tab b}"},
      {"REM a\r\nREM b\nREM c\rREM d",
       "\\cf1 REM a\\cf8 \\par\n\\cf1 REM b\\cf8 \\par\n\\cf1 REM c\\cf8 \\par\n\\cf1 REM d}"},
      {"REM a\r\n\r\n", "\\cf1 REM a\\cf8 \\par\n\\par\n}"},
      {"", "}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Body(c.text), c.body);
  }
}

TEST(BatchToRtf, FontNameCannotBreakTheFontTable) {
  const std::string rtf = BatchToRtf("", kColors, kBackground, "Evil;}{\\x", 10);
  EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fmodern Evil\\}\\{\\\\x;}}"), std::string::npos);
}

// Braces stay balanced and the document stays ASCII for any text.
TEST(BatchToRtf, WellFormedForAnyText) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int run = 0; run < 1000; ++run) {
    std::string text(static_cast<std::size_t>(byte(random) % 48), '\0');
    for (char& c : text)
      c = static_cast<char>(byte(random) % 3 == 0 ? "{}\\\r\n\t\"%"[byte(random) % 8]
                                                  : byte(random));
    const std::string rtf = Rtf(text);
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
      ASSERT_LT(static_cast<unsigned char>(rtf[i]), 0x80);
      if (rtf[i] == '\\') {
        ++i;
      } else if (rtf[i] == '{') {
        ++depth;
      } else if (rtf[i] == '}') {
        ASSERT_GT(--depth, -1);
        if (depth == 0) {
          ASSERT_EQ(i, rtf.size() - 1);
        }
      }
    }
    ASSERT_EQ(depth, 0);
  }
}

}  // namespace
}  // namespace palvetta
