// The main window in every colour theme, photographed: what it shows must stay readable.

#include "app/win/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "base/file_io.h"
#include "gui/win/theme_painter.h"
#include "support/contrast_patch.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;

class MainWindowThemeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  void SetUp() override {
    Folder = fs::temp_directory_path() / "palvetta_main_window_theme";
    fs::remove_all(Folder);
    TMainWindowOptions options;
    options.Settings = &Store;
    options.AppDataFolder = [folder = PathToUtf8(Folder / "AppData")] { return folder; };
    options.QuitWhenClosed = false;
    options.Environment.ThemePainter = &Painter;
    Window = std::make_unique<TfrmMain>(options);
    Window->Show(SW_SHOWNORMAL);
    SetForegroundWindow(Window->Handle());
    ASSERT_TRUE(PumpUntil(*Window, [this] {
      return Window->Activated() && !Window->Palette().Texts().empty();
    }));
  }

  void TearDown() override {
    Window.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  void Settle() {
    PumpUntil(*Window, [] { return true; });
    RedrawWindow(Window->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  fs::path Folder;
  TMemorySettingsStore Store;
  TMessageRecorder Messages;
  TScopedMessageBoxSeam MessageSeam{Messages};
  TThemePainter Painter;
  std::unique_ptr<TfrmMain> Window;
};

TEST_F(MainWindowThemeTest, TheSelectionStaysReadableInEveryTheme) {
  TfrmMain& window = *Window;
  window.AddFromPalette(*window.Palette().NodeOf(window.Palette().FindByText("Comment (REM)")), -1);
  window.AddFromPalette(*window.Palette().NodeOf(window.Palette().FindByText("Exit")), -1);
  window.ProjectList().SelectOnly(1);
  const HTREEITEM exitItem = window.Palette().FindByText("Exit");
  window.Palette().Select(exitItem);
  const HWND tree = window.Palette().Handle();
  const HWND list = window.ProjectList().Handle();
  const struct {
    const char* what;
    HWND focus;
  } focuses[] = {{"palette focused", tree},
                 {"list focused", list},
                 {"neither focused", window.FilterControl("edtFilter")}};

  for (const TThemeRow& row : ThemeTable) {
    ASSERT_TRUE(Painter.SwitchTo(row));
    for (const auto& focus : focuses) {
      SCOPED_TRACE(std::string(row.DisplayName) + ", " + focus.what);
      SetFocus(focus.focus);
      Settle();
      ASSERT_EQ(GetFocus(), focus.focus);
      const TRgbImage shot = CaptureClient(window.Handle());
      if (focus.focus == list) {
        WritePngFile(ScreenshotFolder() / ("main-window-" + std::string(row.DisplayName) + ".png"),
                     shot);
      }
      RECT item = {};
      ASSERT_TRUE(TreeView_GetItemRect(tree, exitItem, &item, TRUE));
      const TPatch inTree = ReadPatch(shot, InWindow(tree, window.Handle(), item));
      ASSERT_TRUE(ListView_GetSubItemRect(list, 1, TProjectListView::colCommand, LVIR_LABEL, &item));
      const TPatch inList = ReadPatch(shot, InWindow(list, window.Handle(), item));
      // The system's colours are the user's own choice (Wine's highlight is a light blue);
      // they are left alone.
      if (!Painter.UsesSystemColors()) {
        EXPECT_GE(inTree.Contrast(), 4.5) << "palette: " << Describe(inTree);
        EXPECT_GE(inList.Contrast(), 4.5) << "project list: " << Describe(inList);
      }
      EXPECT_EQ(inTree.Background, Painter.SelectionBackground(focus.focus == tree))
          << Describe(inTree);
      EXPECT_EQ(inList.Background, Painter.SelectionBackground(focus.focus == list))
          << Describe(inList);
    }
  }
}

// A rectangle in screen coordinates in those of the whole window.
RECT FromScreen(HWND window, RECT area) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  OffsetRect(&area, -bounds.left, -bounds.top);
  return area;
}

TEST_F(MainWindowThemeTest, TheMenuBarAndStatusBarFollowTheThemeWhereTheyStayReadable) {
  TfrmMain& window = *Window;
  window.AddFromPalette(*window.Palette().NodeOf(window.Palette().FindByText("Exit")), -1);
  ASSERT_TRUE(PumpUntil(window, [&] { return window.StatusText() == "Modified"; }));
  HWND status = FindWindowExW(window.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  ASSERT_NE(status, nullptr);
  const HMENU bar = GetMenu(window.Handle());
  wchar_t caption[32] = {};
  GetMenuStringW(bar, 0, caption, 32, MF_BYPOSITION);
  const std::wstring fileCaption = caption;

  for (const TThemeRow& row : ThemeTable) {
    SCOPED_TRACE(std::string(row.DisplayName));
    ASSERT_TRUE(Painter.SwitchTo(row));
    Settle();
    const TThemePalette& theme = *FindThemePalette(row.DisplayName);
    const TRgbImage shot = CaptureWindow(window.Handle());
    WritePngFile(ScreenshotFolder() / ("main-window-bars-" + std::string(row.DisplayName) + ".png"),
                 shot);

    MENUBARINFO item = {};
    item.cbSize = sizeof(item);
    ASSERT_TRUE(GetMenuBarInfo(window.Handle(), OBJID_MENU, 1, &item));
    const TPatch file = ReadPatch(shot, FromScreen(window.Handle(), item.rcBar));
    EXPECT_GE(file.Contrast(), 4.5) << "menu bar: " << Describe(file);
    EXPECT_EQ(file.Background,
              theme.UsesSystemColors ? GetSysColor(COLOR_MENU) : ToColorRef(theme.Colors.Window))
        << Describe(file);
    // The empty rest of the bar, right of its last item.
    MENUBARINFO whole = {};
    whole.cbSize = sizeof(whole);
    ASSERT_TRUE(GetMenuBarInfo(window.Handle(), OBJID_MENU, 0, &whole));
    MENUBARINFO last = {};
    last.cbSize = sizeof(last);
    ASSERT_TRUE(GetMenuBarInfo(window.Handle(), OBJID_MENU, GetMenuItemCount(bar), &last));
    RECT rest = whole.rcBar;
    rest.left = last.rcBar.right + 1;
    ASSERT_LT(rest.left, rest.right - 10) << "no empty room on the bar";
    EXPECT_EQ(ReadPatch(shot, FromScreen(window.Handle(), rest)).Background,
              theme.UsesSystemColors ? GetSysColor(COLOR_MENU) : ToColorRef(theme.Colors.Window));
    // The caption stays in the menu, for its mnemonic and for whoever reads it.
    GetMenuStringW(bar, 0, caption, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(caption), fileCaption);

    RECT part = {};
    ASSERT_TRUE(SendMessageW(status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part)));
    const TPatch text = ReadPatch(shot, FromScreen(window.Handle(), [&] {
                                    MapWindowPoints(status, nullptr,
                                                    reinterpret_cast<POINT*>(&part), 2);
                                    return part;
                                  }()));
    // Its text is always the system's: a light theme may colour it (where visual styles
    // leave it the colour), a dark one keeps the system's look.
    EXPECT_GE(text.Contrast(), 4.5) << "status bar: " << Describe(text);
    if (theme.UsesSystemColors || IsDark(theme.Colors)) {
      EXPECT_EQ(text.Background, GetSysColor(COLOR_BTNFACE)) << Describe(text);
    } else {
      EXPECT_TRUE(text.Background == GetSysColor(COLOR_BTNFACE) ||
                  text.Background == ToColorRef(theme.Colors.Window))
          << Describe(text);
    }
  }
  // Back in the system's look, the bar is the system's again: no item drawn here.
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &info));
  EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u) << "the last theme has its own colours";
  ASSERT_TRUE(Painter.SwitchTo(*FindThemeRow("Default")));
  ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &info));
  EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
}

}  // namespace
}  // namespace palvetta
