#include "base/win/wide.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(Wide, ConvertsBothWaysAndReplacesWhatIsMalformed) {
  struct Case {
    const char* utf8;
    const wchar_t* utf16;
  };
  const Case cases[] = {
      {"", L""},
      {"plain ASCII\r\n", L"plain ASCII\r\n"},
      {"a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80z", L"a\u00FC\u20AC\U0001F600z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Widen(c.utf8), c.utf16);
    EXPECT_EQ(Narrow(c.utf16), c.utf8);
  }
  // Overlong, lone continuation, truncated sequence, encoded surrogate: one U+FFFD each
  // byte that starts no valid sequence.
  EXPECT_EQ(Widen("\xC0\xAF|\x80|\xE2\x82|x"), L"\uFFFD\uFFFD|\uFFFD|\uFFFD\uFFFD|x");
  // Lone surrogates, high at the end or followed by no low one, and a lone low one.
  const wchar_t lone[] = {L'a', 0xD800, L'b', 0xDC00, 0xD83D, 0};
  EXPECT_EQ(Narrow(lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace palvetta
