#include "app/markup.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

namespace palvetta {
namespace {

struct Case {
  std::string text;
  std::string expected;
};

const Case kCases[] = {
    {"", ""},
    {"plain text", "plain text"},
    {"COPY <u>source</u> <i>destination</i>", "COPY source destination"},
    {"<b>bold</b>, <EM>em</EM>, <Strong>strong</sTrong>", "bold, em, strong"},
    {"<a href=\"x.html\">link</a>", "link"},
    {"<font color=red\nsize=2>x</font><span class='s'>y</span><p>z</p>", "xyz"},
    {"<U >under</U\t>", "under"},
    {"line<br>next<BR/>third<br />fourth<br\t\n/>end", "line next third fourth end"},
    {"x<br><b>y</b>", "x y"},
    {"<b<br>>", ""},  // the line break leaves "<b >", a tag too
    {"<<b>>", "<>"},
    // Not markup: other tags, other spellings, unclosed tags.
    {"<div>x</div>", "<div>x</div>"},
    {"<bold>x</bold>", "<bold>x</bold>"},
    {"<brx> <br/ > <br x>", "<brx> <br/ > <br x>"},
    {"<p/> </ b> < b>", "<p/> </ b> < b>"},
    {"IF %a% < 5 (ECHO <b) ELSE <i", "IF %a% < 5 (ECHO <b) ELSE <i"},
    {"<b x", "<b x"},
    {"<", "<"},
    {"a <b>Gr\xC3\xBC\xC3\x9F" "e</b>", "a Gr\xC3\xBC\xC3\x9F" "e"},
};

TEST(Markup, RemovesLineBreaksAndFormattingTags) {
  for (const Case& c : kCases) {
    EXPECT_EQ(RemoveMarkup(c.text), c.expected) << c.text;
  }
}

// The rule as regular expressions: the scanner must agree with them on any text.
std::string RemoveMarkupByRegex(const std::string& text) {
  static const std::regex lineBreak(R"(<br\s*/?>)", std::regex::icase);
  static const std::regex tag(R"(</?(u|b|i|em|strong|a|font|span|p)(\s[^>]*)?>)",
                              std::regex::icase);
  return std::regex_replace(std::regex_replace(text, lineBreak, " "), tag, "");
}

TEST(Markup, AgreesWithTheRegularExpressions) {
  for (const Case& c : kCases) EXPECT_EQ(RemoveMarkupByRegex(c.text), c.expected) << c.text;

  // Short random texts over the characters that matter.
  const std::string alphabet = "<>/ \nbBrRuUiIeEmMsStTpPaAnNfFoOgGx=";
  std::mt19937 random(20261210);
  std::uniform_int_distribution<size_t> length(0, 14);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (size_t n = length(random); n > 0; --n) text += alphabet[pick(random)];
    ASSERT_EQ(RemoveMarkup(text), RemoveMarkupByRegex(text)) << text;
  }
}

TEST(Markup, LongUnclosedTagIsKept) {
  const std::string text = "<b " + std::string(200000, 'x');
  EXPECT_EQ(RemoveMarkup(text), text);
}

}  // namespace
}  // namespace palvetta
