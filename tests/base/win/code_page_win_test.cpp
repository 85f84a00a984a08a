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

// Code pages other than the built-in tables: a single-byte one read from the system, a
// double-byte one whose trail bytes may look like ASCII, one whose lower half is not
// ASCII. Each converts both ways as the system's own functions do.
TEST(CodePageById, ConvertsOtherCodePagesLikeTheSystem) {
  struct Case {
    unsigned id;
    const char* bytes;
    const char* utf8;
  };
  const Case cases[] = {
      // Cyrillic: capital A, small ya, then ASCII.
      {1251, "\xC0\xFF a\\b", "\xD0\x90\xD1\x8F a\\b"},
      // Shift-JIS: katakana SO is 0x83 0x5C, its trail byte a backslash; a half-width
      // katakana is one byte of its own.
      {932, "a\x83\x5C\\b\xB1" "c", "a\xE3\x82\xBD\\b\xEF\xBD\xB1" "c"},
      // EBCDIC: "AB" is 0xC1 0xC2, and 0x41 is no "A".
      {37, "\xC1\xC2", "AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const ICodePage* page = CodePageById(c.id);
    if (!page) GTEST_SKIP() << "code page " << c.id << " is not installed";
    EXPECT_EQ(page->Id(), c.id);
    EXPECT_EQ(page->ToUtf8(c.bytes), c.utf8);
    EXPECT_EQ(page->FromUtf8(c.utf8), c.bytes);
    // Thai and an emoji, which none of them has: one "?" each.
    EXPECT_EQ(page->FromUtf8("\xE0\xB8\x81\xF0\x9F\x98\x80"), page->FromUtf8("??"));
  }
}

TEST(CodePageById, ADoubleByteLeadAtTheEndIsNotReadPast) {
  const ICodePage* page = CodePageById(932);
  if (!page) GTEST_SKIP() << "code page 932 is not installed";
  const std::string text = "ab\x83";
  const std::string utf8 = page->ToUtf8(std::string_view(text.data(), 3));
  EXPECT_EQ(utf8.substr(0, 2), "ab");
  EXPECT_GT(utf8.size(), 2u);  // the lone lead byte stands for some character
}

}  // namespace
}  // namespace palvetta
