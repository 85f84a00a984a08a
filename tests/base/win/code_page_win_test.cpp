#include <windows.h>

#include <gtest/gtest.h>

#include "base/code_page.h"

namespace palvetta {
namespace {

TEST(SystemCodePage, MatchesTheBuiltInTableOnWindows1252) {
  const ICodePage& system = SystemCodePage();
  ASSERT_EQ(system.Id(), GetACP());
  if (system.Id() != 1252) GTEST_SKIP() << "the system code page is " << system.Id();
  const ICodePage& table = Windows1252();
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(system.ToUtf8(byte), table.ToUtf8(byte)) << b;
    EXPECT_EQ(system.FromUtf8(table.ToUtf8(byte)), byte) << b;
  }
}

TEST(BatchCodePage, IsTheOemCodePageAndMatchesTheBuiltInTableOn437) {
  const ICodePage& batch = BatchCodePage();
  ASSERT_EQ(batch.Id(), GetOEMCP());
  if (batch.Id() != 437) GTEST_SKIP() << "the OEM code page is " << batch.Id();
  const ICodePage& table = CodePage437();
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(batch.ToUtf8(byte), table.ToUtf8(byte)) << b;
    EXPECT_EQ(batch.FromUtf8(table.ToUtf8(byte)), byte) << b;
  }
  // Both builds write the same bytes for what the code page lacks: one "?" each, also
  // for a character outside the basic plane.
  const std::string text = "\xE2\x82\xAC\xEF\xBC\x82\xF0\x9F\x98\x80x";
  EXPECT_EQ(batch.FromUtf8(text), table.FromUtf8(text));
  EXPECT_EQ(batch.FromUtf8(text), "???x");
}

TEST(SystemCodePage, NeverTurnsALookAlikeIntoBatchSyntax) {
  const ICodePage& system = SystemCodePage();
  if (system.Id() != 1252) GTEST_SKIP() << "the system code page is " << system.Id();
  struct Case {
    const char* utf8;
    const char* ansi;
  };
  const Case cases[] = {
      {"\xEF\xBC\x82", "?"},  // fullwidth quotation mark, best fit: "
      {"\xEF\xBC\x86", "?"},  // fullwidth ampersand, best fit: &
      {"\xEF\xBC\x9E", "?"},  // fullwidth greater-than, best fit: >
      {"\xE2\x88\x9E", "?"},  // infinity, best fit: 8
      {"\xC3\xBC\xE2\x82\xAC", "\xFC\x80"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(system.FromUtf8(c.utf8), c.ansi);
  }
}

}  // namespace
}  // namespace palvetta
