#include "base/win/error_code_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/text_search.h"

namespace palvetta {
namespace {

// The system's own text, as FormatMessageW gives it, for comparison.
std::u16string SystemText(DWORD code) {
  wchar_t buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                      0, buffer, 512, nullptr);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

TEST(ErrorCodeText, Win32CodesOnOneLine) {
  for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_NOACCESS}) {
    SCOPED_TRACE(code);
    const std::u16string text = ErrorCodeText(code);
    ASSERT_FALSE(SystemText(code).empty());
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos);
    // The system ends its texts with CRLF: one trailing blank is left of it.
    std::u16string expected = SystemText(code);
    ASSERT_GE(expected.size(), 2u);
    ASSERT_EQ(expected.substr(expected.size() - 2), u"\r\n");
    expected.replace(expected.size() - 2, 2, u" ");
    EXPECT_EQ(text, expected);
  }
}

TEST(ErrorCodeText, StatusCodesTakeTheirWin32Text) {
  EXPECT_EQ(ErrorCodeText(0xC0000005), ErrorCodeText(ERROR_NOACCESS));              // access violation
  EXPECT_EQ(ErrorCodeText(0xC0000034), ErrorCodeText(ERROR_FILE_NOT_FOUND));        // name not found
  EXPECT_EQ(ErrorCodeText(0x80070005), ErrorCodeText(ERROR_ACCESS_DENIED));         // a Win32 HRESULT
}

TEST(ErrorCodeText, UnknownCodesNameTheirNumber) {
  EXPECT_EQ(ErrorCodeText(0x3FFFFF00), u"Unknown error $3fffff00");
  EXPECT_EQ(ErrorCodeTextA(0x3FFFFF00), "Unknown error $3fffff00");
  // A status the system cannot map keeps its own number.
  EXPECT_EQ(ErrorCodeText(0xE0FFFF01), u"Unknown error $e0ffff01");
}

TEST(ErrorCodeText, NetworkCodes) {
  // WinINet's texts come from its own library; a time-out is among Wine's too.
  const std::u16string timeout = ErrorCodeText(12002);
  EXPECT_EQ(timeout.find(u"Unknown error"), std::u16string::npos) << std::string(timeout.begin(), timeout.end());
  EXPECT_NE(PosInRange(u"time", timeout), kNotFound);
  EXPECT_EQ(ErrorCodeTextA(12002), std::string(timeout.begin(), timeout.end()));
  // Network-management codes: the system's text when it has the library, else the number.
  const std::u16string netText = ErrorCodeText(2102);
  EXPECT_FALSE(netText.empty());
  EXPECT_EQ(netText.find(u'\n'), std::u16string::npos);
}

TEST(ErrorCodeText, AnsiTwinAgrees) {
  const std::u16string wide = ErrorCodeText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ErrorCodeTextA(ERROR_FILE_NOT_FOUND), std::string(wide.begin(), wide.end()));
}

}  // namespace
}  // namespace palvetta
