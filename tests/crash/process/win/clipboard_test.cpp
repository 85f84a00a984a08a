#include <windows.h>

#include <gtest/gtest.h>

#include "crash/process/win/folders.h"

namespace palvetta {
namespace {

TEST(ClipboardWin, PutsUnicodeText) {
  PutTextOnClipboard(u"Bug report \u2603\r\nline 2");
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_TRUE(data);
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  ASSERT_TRUE(text);
  EXPECT_EQ(std::wstring(text), L"Bug report \u2603\r\nline 2");
  GlobalUnlock(data);
  CloseClipboard();
}

}  // namespace
}  // namespace palvetta
