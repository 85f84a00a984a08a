#include "app/win/batch_preview.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/win/wide.h"
#include "gui/win/rich_edit.h"
#include "gui/win/theme_painter.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// Bytes as the generator writes them: CR LF lines in the OEM code page ("caf\x82" is
// "café" in code page 437).
const std::string kMainBatch =
    "@echo off\r\n"
    "rem Copies the build\r\n"
    "set target=%~1\r\n"
    "if \"%target%\"==\"\" goto :usage\r\n"
    "echo caf\x82 > \"%target%\\menu.txt\"\r\n"
    "exit /b 0\r\n";
const std::string kSecond = "first line of the second file\r\n";
const std::string kThird = ":: third\r\necho 3\r\n";

std::string TabCaption(HWND tabs, int index) {
  wchar_t text[128] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 128;
  TabCtrl_GetItem(tabs, index, &item);
  return Narrow(text);
}

// The format of the characters from..to; dwMask says which parts they share.
CHARFORMAT2W FormatOf(HWND editor, LONG from, LONG to) {
  SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(from), to);
  CHARFORMAT2W format = {};
  format.cbSize = sizeof(format);
  SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

COLORREF ColorAt(HWND editor, LONG position) {
  return FormatOf(editor, position, position + 1).crTextColor;
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<clipboard not available>";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

class BatchPreviewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  BatchPreviewTest() {
    One.Add("Main batch").Stream = kMainBatch;
    Three.Add("Main batch").Stream = kMainBatch;
    Three.Add("second.txt").Stream = kSecond;
    Three.Add("third.cmd").Stream = kThird;
  }

  std::string EditorText() const { return RichEditText(Preview.Editor()); }

  TCreatedFiles One;
  TCreatedFiles Three;
  // Keeps the system colours until a test switches it.
  TThemePainter Painter;
  TfrmBatchPreview Preview{{"", &Painter, nullptr}};
};

TEST_F(BatchPreviewTest, OneFileShowsNoTabsAndItsTextInUtf8) {
  EXPECT_EQ(WindowText(Preview.Handle()), "Preview Batch File");
  Preview.Init(One);
  EXPECT_EQ(TabCtrl_GetItemCount(Preview.Tabs()), 0);
  EXPECT_EQ(EditorText(), BatchCodePage().ToUtf8(kMainBatch));
  EXPECT_NE(EditorText().find("caf\xC3\xA9"), std::string::npos);
  EXPECT_EQ(GetWindowLongPtrW(Preview.Editor(), GWL_STYLE) & ES_READONLY, 0);
  // The editor fills the window below the tool bar.
  RECT client = {};
  GetClientRect(Preview.Handle(), &client);
  const TRect editor = RectInParent(Preview.Editor());
  const TRect toolbar = RectInParent(Preview.Toolbar());
  EXPECT_EQ(editor.Top, toolbar.Bottom());
  EXPECT_EQ(editor.Right(), client.right);
  EXPECT_EQ(editor.Bottom(), client.bottom);
}

TEST_F(BatchPreviewTest, SeveralFilesGetATabEachAndATabShowsItsFile) {
  Preview.Init(Three);
  const HWND tabs = Preview.Tabs();
  ASSERT_EQ(TabCtrl_GetItemCount(tabs), 3);
  EXPECT_EQ(TabCaption(tabs, 0), "Main batch");
  EXPECT_EQ(TabCaption(tabs, 1), "second.txt");
  EXPECT_EQ(TabCaption(tabs, 2), "third.cmd");
  EXPECT_EQ(TabCtrl_GetCurSel(tabs), 0);
  EXPECT_EQ(EditorText(), BatchCodePage().ToUtf8(kMainBatch));

  // What the tab control tells its parent when the user picks a tab.
  TabCtrl_SetCurSel(tabs, 2);
  NMHDR change = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)),
                  static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(Preview.Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(EditorText(), kThird);
  Preview.SelectTab(1);
  EXPECT_EQ(TabCtrl_GetCurSel(tabs), 1);
  EXPECT_EQ(EditorText(), kSecond);

  // The editor sits inside the tab control's page.
  RECT page = {};
  GetClientRect(tabs, &page);
  TabCtrl_AdjustRect(tabs, FALSE, &page);
  const TRect tabRect = RectInParent(tabs);
  EXPECT_EQ(RectInParent(Preview.Editor()).Top, tabRect.Top + page.top);

  // Reused for a run with one file: the tabs go.
  Preview.Init(One);
  EXPECT_EQ(TabCtrl_GetItemCount(tabs), 0);
  EXPECT_EQ(EditorText(), BatchCodePage().ToUtf8(kMainBatch));
}

TEST_F(BatchPreviewTest, TextTakesTheCurrentThemesHighlighterColours) {
  // Before any theme is chosen the system look's palette stands in.
  for (const char* theme : {"", "Obsidian", "Light", "Default"}) {
    SCOPED_TRACE(theme);
    if (*theme) {
      ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow(theme)));
    }
    const THighlighterColors& colors =
        FindThemePalette(*theme ? theme : "Default")->Colors.Highlighter;
    Preview.Init(One);
    const std::string text = EditorText();
    // RichEdit counts a line break as one position.
    auto position = [&](std::string_view what) {
      const std::size_t at = text.find(what);
      EXPECT_NE(at, std::string::npos) << what;
      std::size_t breaks = 0;
      for (std::size_t i = 0; i < at; ++i) breaks += text[i] == '\n';
      return static_cast<LONG>(at - breaks);
    };
    EXPECT_EQ(ColorAt(Preview.Editor(), position("rem Copies") + 5), ToColorRef(colors.Comment));
    EXPECT_EQ(ColorAt(Preview.Editor(), position("%target%")), ToColorRef(colors.Variable));
    EXPECT_EQ(ColorAt(Preview.Editor(), position(":usage") + 1), ToColorRef(colors.Label));
  }
}

TEST_F(BatchPreviewTest, FollowsTheFontSizeAndKeepsTheColours) {
  Preview.Init(One);
  const HWND editor = Preview.Editor();
  CHARFORMAT2W all = FormatOf(editor, 0, -1);
  EXPECT_EQ(all.dwMask & (CFM_SIZE | CFM_FACE), static_cast<DWORD>(CFM_SIZE | CFM_FACE));
  EXPECT_EQ(all.yHeight, Preview.FontPoints() * 20);
  EXPECT_STREQ(all.szFaceName, L"Consolas");

  RECT before = {};
  GetWindowRect(Preview.Handle(), &before);
  Preview.SetFontPoints(12);
  all = FormatOf(editor, 0, -1);
  EXPECT_NE(all.dwMask & CFM_SIZE, 0u);
  EXPECT_EQ(all.yHeight, 12 * 20);
  const LONG rem = static_cast<LONG>(EditorText().find("rem")) - 1;  // one line break before
  EXPECT_EQ(ColorAt(editor, rem),
            ToColorRef(FindThemePalette("Default")->Colors.Highlighter.Comment));
  RECT after = {};
  GetWindowRect(Preview.Handle(), &after);
  EXPECT_GT(after.right - after.left, before.right - before.left);
  LOGFONTW tabFont = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Preview.Tabs(), WM_GETFONT, 0, 0)),
             sizeof(tabFont), &tabFont);
  EXPECT_EQ(tabFont.lfHeight, FontHeightFor(12, Preview.Dpi()));
}

TEST_F(BatchPreviewTest, EditActionsWorkOnTheEditorAndCopyIsOnTheToolbar) {
  Preview.Init(One);
  const HWND editor = Preview.Editor();
  TActionList& actions = Preview.Actions();
  const struct {
    const char* name;
    const char* caption;
    const char* shortcut;
  } expected[] = {
      {"actEditCut", "Cu&t", "Ctrl+X"},     {"actEditCopy", "&Copy", "Ctrl+C"},
      {"actEditPaste", "&Paste", "Ctrl+V"}, {"actEditSelectAll", "Select &All", "Ctrl+A"},
      {"actEditUndo", "&Undo", "Ctrl+Z"},   {"actEditDelete", "&Delete", "Del"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(actions.Get(e.name).Caption, e.caption);
    EXPECT_EQ(actions.Get(e.name).Shortcut, e.shortcut);
  }

  // Copy needs a selection; the tool bar button follows on idle.
  const UINT copy = Preview.Binding().CommandId("actEditCopy");
  Preview.Binding().OnIdle();
  EXPECT_FALSE(SendMessageW(Preview.Toolbar(), TB_ISBUTTONENABLED, copy, 0));
  EXPECT_EQ(actions.Execute("actEditCopy"), TExecuteResult::erDisabled);

  // The tool bar button copies the selection: "@echo off".
  PutOnClipboard(L"old");
  SendMessageW(editor, EM_SETSEL, 0, 9);
  Preview.Binding().OnIdle();
  EXPECT_TRUE(SendMessageW(Preview.Toolbar(), TB_ISBUTTONENABLED, copy, 0));
  SendMessageW(Preview.Handle(), WM_COMMAND, MAKEWPARAM(copy, BN_CLICKED),
               reinterpret_cast<LPARAM>(Preview.Toolbar()));
  EXPECT_EQ(ClipboardText(), "@echo off");

  // Select all, cut, undo, delete, paste: each reaches the editor.
  const std::string all = EditorText();
  EXPECT_EQ(actions.Execute("actEditSelectAll"), TExecuteResult::erExecuted);
  EXPECT_EQ(actions.Execute("actEditCut"), TExecuteResult::erExecuted);
  EXPECT_EQ(EditorText(), "");
  EXPECT_EQ(ClipboardText(), all);
  EXPECT_EQ(actions.Execute("actEditUndo"), TExecuteResult::erExecuted);
  EXPECT_EQ(EditorText(), all);
  SendMessageW(editor, EM_SETSEL, 0, 10);  // "@echo off" and its line break
  EXPECT_EQ(actions.Execute("actEditDelete"), TExecuteResult::erExecuted);
  EXPECT_EQ(EditorText().rfind("rem Copies", 0), 0u);
  PutOnClipboard(L"@echo on\r\n");
  EXPECT_EQ(actions.Execute("actEditPaste"), TExecuteResult::erExecuted);
  EXPECT_EQ(EditorText().rfind("@echo on\r\nrem Copies", 0), 0u);
  // A fresh load has nothing to undo.
  Preview.Init(One);
  EXPECT_EQ(actions.Execute("actEditUndo"), TExecuteResult::erDisabled);
}

TEST_F(BatchPreviewTest, ShowsModallyAndDropsEditsWhenClosed) {
  TOwnerWindow owner;
  Preview.Init(Three);
  bool ownerDisabled = false;
  bool shown = false;
  Preview.OnShown = [&](TfrmBatchPreview& preview) {
    shown = IsWindowVisible(preview.Handle());
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    preview.Post([&] {
      SendMessageW(preview.Editor(), EM_SETSEL, 0, 0);
      SendMessageW(preview.Editor(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"edited "));
      PostMessageW(preview.Handle(), WM_CLOSE, 0, 0);
    });
  };
  Preview.ShowModal(owner.Handle());
  EXPECT_TRUE(shown);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(Preview.Handle()));
  EXPECT_FALSE(Preview.IsRunning());
  EXPECT_EQ(Three.Items(0).Stream, kMainBatch);
  Preview.Init(Three);
  EXPECT_EQ(EditorText(), BatchCodePage().ToUtf8(kMainBatch));
}

// Safety net: a context menu the test's keys did not close is closed after a while.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(BatchPreviewTest, TheEditorsContextMenuCopies) {
  Preview.Init(One);
  PutOnClipboard(L"old");
  Preview.OnShown = [&](TfrmBatchPreview& preview) {
    preview.Post([&] {
      SendMessageW(preview.Editor(), EM_SETSEL, 0, 9);
      // The menu's own loop reads these keys: Down selects the first item, Return chooses it.
      PostMessageW(preview.Handle(), WM_KEYDOWN, VK_DOWN, 1);
      PostMessageW(preview.Handle(), WM_KEYDOWN, VK_RETURN, 1);
      const UINT_PTR timer = SetTimer(nullptr, 0, 3000, &EndStuckMenu);
      POINT at = {20, 20};
      ClientToScreen(preview.Editor(), &at);
      SendMessageW(preview.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview.Editor()),
                   MAKELPARAM(at.x, at.y));
      KillTimer(nullptr, timer);
      preview.Close();
    });
  };
  Preview.ShowModal(nullptr);
  EXPECT_EQ(ClipboardText(), "@echo off");
}

TEST_F(BatchPreviewTest, Screenshots) {
  const std::filesystem::path folder = ScreenshotFolder();
  for (const char* theme : {"Modern", "Obsidian"}) {
    ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow(theme)));
    Preview.Init(Three);
    Preview.OnShown = [&](TfrmBatchPreview& preview) {
      preview.Post([&] {
        UpdateWindow(preview.Handle());
        const TRgbImage image = CaptureClient(preview.Handle());
        ASSERT_GT(image.Width, 0);
        WritePngFile(folder / ("batch-preview-" + std::string(theme) + ".png"), image);
        // The editor's background is the theme's edit colour.
        const TRect editor = RectInParent(preview.Editor());
        EXPECT_EQ(image.At(editor.Right() - 30, editor.Bottom() - 30), Painter.ControlColor());
        preview.Close();
      });
    };
    Preview.ShowModal(nullptr);
  }
}

}  // namespace
}  // namespace palvetta
