#include "base/text.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "base/utf.h"

namespace palvetta {
namespace {

TEST(Text, TrimRemovesControlCharactersAndBlanks) {
  EXPECT_EQ(Trim(" \t\r\n\x01 a b \x1f"), "a b");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_TRUE(IsBlank(" \t\r\n"));
  EXPECT_FALSE(IsBlank(" \xC2\xA0"));  // a no-break space is not white space here
}

TEST(Text, SplitLines) {
  struct Case {
    const char* text;
    TStrings lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\r\n", {"a", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

TEST(Text, LineListsAndBreaks) {
  EXPECT_EQ(JoinWith({"a", "b"}, ", "), "a, b");
  EXPECT_EQ(LinesText({"a", "b"}), "a\r\nb\r\n");
  EXPECT_EQ(ReplaceLineBreaks("a\r\nb\nc\rd", "<br>"), "a<br>b<br>c<br>d");
}

TEST(Text, CaseInsensitiveReplacement) {
  struct Case {
    const char* text;
    const char* from;
    const char* to;
    const char* expected;
  };
  const Case cases[] = {
      {"COPY %a% %A%", "%A%", "%1", "COPY %1 %1"},
      {"%PARAMNAME% %paramname%", "%ParamName%", "x", "x x"},
      {"%ÄRGER%", "%ärger%", "%1", "%1"},        // Latin-1
      {"%ŁÓDŹ%", "%łódź%", "%1", "%1"},          // Latin Extended-A
      {"%ИМЯ%", "%имя%", "%1", "%1"},            // Cyrillic
      {"%ΑΛΦΑ%", "%αλφα%", "%1", "%1"},          // Greek
      {"%a\xFF%", "%A\xFF%", "%1", "%1"},        // invalid UTF-8 survives unchanged
      {"abc", "", "x", "abc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceAllIgnoreCase(c.text, c.from, c.to), c.expected);
  }
  EXPECT_TRUE(ContainsIgnoreCase("IF x==%Name%", "%NAME%"));
  EXPECT_FALSE(ContainsIgnoreCase("IF x==%Nam%", "%NAME%"));
  EXPECT_TRUE(SameTextAscii("TREMItem", "tremitem"));
  EXPECT_FALSE(SameTextAscii("Ä", "ä"));
  EXPECT_TRUE(SameTextIgnoreCase("Ä", "ä"));
}

TEST(Utf, RoundTripsAndMalformedInput) {
  const std::string text = "a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80";  // a ü € 😀
  EXPECT_EQ(Utf8ToUtf16(text), u"a\u00FC\u20AC\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
  // Invalid bytes: overlong, lone continuation, truncated sequence, encoded surrogate.
  const std::string bad = "\xC0\xAF|\x80|\xE2\x82|\xED\xA0\x80";
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(bad)), bad);
  EXPECT_EQ(Utf8ToUtf16("\x80x"), u"\uFFFDx");
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(CodePage1252, ConvertsBothWaysAndNeverBestFits) {
  const ICodePage& cp = Windows1252();
  EXPECT_EQ(cp.Id(), 1252u);
  EXPECT_EQ(cp.FromUtf8("abc \xC3\xBC\xE2\x82\xAC\xE2\x80\x9C"), "abc \xFC\x80\x93");
  EXPECT_EQ(cp.ToUtf8("\xFC\x80\x93\x81"), "\xC3\xBC\xE2\x82\xAC\xE2\x80\x9C\xC2\x81");
  // Fullwidth quote, fullwidth ampersand, Greek alpha, an emoji: none has a byte.
  EXPECT_EQ(cp.FromUtf8("\xEF\xBC\x82\xEF\xBC\x86\xCE\xB1\xF0\x9F\x98\x80"), "????");
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(byte)), byte) << b;
  }
}

TEST(CodePage437, ConvertsBothWaysAndNeverBestFits) {
  const ICodePage& cp = CodePage437();
  EXPECT_EQ(cp.Id(), 437u);
  // ü, é, box drawing, Greek alpha, non-breaking space.
  EXPECT_EQ(cp.FromUtf8("B\xC3\xBCro \xC3\xA9\xE2\x95\x90\xCE\xB1\xC2\xA0"), "B\x81ro \x82\xCD\xE0\xFF");
  EXPECT_EQ(cp.ToUtf8("\x81\x9E\xFF"), "\xC3\xBC\xE2\x82\xA7\xC2\xA0");
  // € and the fullwidth look-alikes have no byte; an emoji is one "?".
  EXPECT_EQ(cp.FromUtf8("\xE2\x82\xAC\xEF\xBC\x82\xEF\xBC\x86\xF0\x9F\x98\x80"), "????");
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(byte)), byte) << b;
  }
}

TEST(ICodePage, CharactersLostAreListedOnceInOrder) {
  const struct {
    const char* text;
    std::u32string lost;
  } cases[] = {
      {"plain ASCII", U""},
      {"B\xC3\xBCro", U""},
      {"\xE2\x9C\x93 \xE2\x82\xAC \xE2\x9C\x93 \xC3\xBC \xF0\x9F\x98\x80", U"\u2713\u20AC\U0001F600"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CharactersLost(CodePage437(), c.text), c.lost);
  }
  EXPECT_EQ(CharactersLost(Windows1252(), "\xE2\x82\xAC \xE2\x9C\x93"), U"\u2713");
}

}  // namespace
}  // namespace palvetta
