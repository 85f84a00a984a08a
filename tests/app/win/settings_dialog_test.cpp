#include "app/win/settings_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/theme_palettes.h"
#include "gui/win/open_windows.h"
#include "gui/win/theme_painter.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

TLayoutNode OtherDescription() { return Dialog({LabelAbove("Name:", Edit("edtName", 20))}); }

TDialogOptions OtherOptions(const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = "Other";
  options.Environment = environment;
  return options;
}

COLORREF WindowColorOf(std::string_view theme) {
  return ToColorRef(FindThemePalette(theme)->Colors.Window);
}

// Picks an entry of a combo the way a user does: the selection moves, then the
// combo's parent hears about it after the current message.
void Choose(TDialog& dialog, std::string_view combo, int index) {
  const HWND control = dialog.Control(combo);
  dialog.Post([&dialog, control, index] {
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
  });
}

// Runs the action once the changes of the Choose calls made before have been
// applied: the first turn comes after the selections moved, the second after
// the notifications, the third after the changes they queued.
void AfterChanges(TDialog& dialog, std::function<void()> action) {
  dialog.Post([&dialog, action = std::move(action)]() mutable {
    dialog.Post(
        [&dialog, action = std::move(action)]() mutable { dialog.Post(std::move(action)); });
  });
}

int ThemeIndex(std::string_view name) {
  return static_cast<int>(FindThemeRow(name) - ThemeTable.data());
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }
  TThemePainter Painter;
  TOpenWindows OpenWindows;
  TFormEnvironment Environment{"", &Painter, &OpenWindows};
  TAppearance Appearance{Painter, OpenWindows};
  TMemorySettingsStore Store;
  TOwnerWindow Owner;
};

TEST_F(SettingsDialogTest, ListsTheThemesAndSizesWithTheCurrentOnesSelected) {
  const struct {
    std::string theme;
    int size;
  } cases[] = {{"Default", 8}, {"Modern", 9}, {"Carbon", 11}, {"Windows 10 Slate Gray", 12}};
  TStrings themes;
  for (const auto& row : ThemeTable) themes.emplace_back(row.DisplayName);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.theme);
    ASSERT_TRUE(Appearance.ApplyTheme(c.theme));
    Appearance.SetFontSize(c.size);
    TfrmSettings settings(Environment);
    TDialog& form = settings.Form();
    bool shown = false;
    form.OnShown = [&](TDialog& d) {
      shown = true;
      EXPECT_EQ(WindowText(d.Handle()), "Settings");
      EXPECT_EQ(d.Entries("cmbTheme"), themes);
      EXPECT_EQ(d.Entries("cmbFontSize"), (TStrings{"8", "9 (default)", "10", "11", "12"}));
      EXPECT_EQ(d.Index("cmbTheme"), ThemeIndex(c.theme));
      EXPECT_EQ(d.Text("cmbTheme"), c.theme);
      EXPECT_EQ(d.Index("cmbFontSize"), c.size - 8);
      EXPECT_EQ(WindowText(d.Control("lblTheme")), "Color theme:");
      EXPECT_EQ(WindowText(d.Control("lblFontSize")), "Font size:");
      EXPECT_EQ(WindowText(d.Control("lblNote")),
                "Changes show at once. With a larger font size, every window "
                "grows with its "
                "text.");
      d.Post([&d] { d.Cancel(); });
    };
    EXPECT_FALSE(settings.Execute(Appearance, Store, Owner.Handle()));
    EXPECT_TRUE(shown);
    // Filling the lists changed nothing.
    EXPECT_EQ(Appearance.GetCurrentTheme(), c.theme);
    EXPECT_EQ(Appearance.GetFontSize(), c.size);
  }
}

TEST_F(SettingsDialogTest, TheSecondFontEntryIsSizeNine) {
  Appearance.SetFontSize(12);
  TfrmSettings settings(Environment);
  settings.Form().OnShown = [&](TDialog& d) {
    Choose(d, "cmbFontSize", 1);
    AfterChanges(d, [&d] { d.PressOK(); });
  };
  EXPECT_TRUE(settings.Execute(Appearance, Store, Owner.Handle()));
  EXPECT_EQ(Appearance.GetFontSize(), 9);
  EXPECT_EQ(OpenWindows.FontPoints(), 9);
}

TEST_F(SettingsDialogTest, ChangesShowInEveryOpenWindowWhileTheDialogIsOpen) {
  TDialog other(OtherDescription(), OtherOptions(Environment));
  TfrmSettings settings(Environment);
  bool checked = false;
  settings.Form().OnShown = [&](TDialog& d) {
    Choose(d, "cmbFontSize", 3);
    Choose(d, "cmbTheme", ThemeIndex("Obsidian"));
    AfterChanges(d, [&] {
      checked = true;
      EXPECT_TRUE(d.IsRunning());
      EXPECT_EQ(other.FontPoints(), 11);
      EXPECT_EQ(d.FontPoints(), 11);
      EXPECT_EQ(Appearance.GetCurrentTheme(), "Obsidian");
      EXPECT_EQ(Painter.WindowColor(), WindowColorOf("Obsidian"));
      d.PressOK();
    });
  };
  EXPECT_TRUE(settings.Execute(Appearance, Store, Owner.Handle()));
  EXPECT_TRUE(checked);
}

TEST_F(SettingsDialogTest, AChangeWaitsUntilTheNotificationHasFinished) {
  TfrmSettings settings(Environment);
  settings.Form().OnShown = [&](TDialog& d) {
    Choose(d, "cmbFontSize", 4);
    // The second turn comes after the notification but before the change it
    // queued.
    d.Post([&] {
      d.Post([&] {
        EXPECT_EQ(Appearance.GetFontSize(), 9) << "applied within the notification";
        d.Post([&] {
          EXPECT_EQ(Appearance.GetFontSize(), 12);
          d.PressOK();
        });
      });
    });
  };
  EXPECT_TRUE(settings.Execute(Appearance, Store, Owner.Handle()));
}

TEST_F(SettingsDialogTest, CancelRestoresTheThemeAndSizeOfBeforeInEveryWindow) {
  ASSERT_TRUE(Appearance.ApplyTheme("Carbon"));
  Appearance.SetFontSize(10);
  TDialog other(OtherDescription(), OtherOptions(Environment));
  EXPECT_EQ(other.FontPoints(), 10) << "a new dialog starts at the current size";
  TfrmSettings settings(Environment);
  bool tried = false;
  settings.Form().OnShown = [&](TDialog& d) {
    Choose(d, "cmbTheme", ThemeIndex("Obsidian"));
    Choose(d, "cmbFontSize", 4);
    Choose(d, "cmbTheme", ThemeIndex("Glow"));
    Choose(d, "cmbFontSize", 0);
    AfterChanges(d, [&] {
      // The tries really took effect before they are undone.
      tried = true;
      EXPECT_EQ(Appearance.GetCurrentTheme(), "Glow");
      EXPECT_EQ(other.FontPoints(), 8);
      d.Cancel();
    });
  };
  EXPECT_FALSE(settings.Execute(Appearance, Store, Owner.Handle()));
  EXPECT_TRUE(tried);
  EXPECT_EQ(Appearance.GetCurrentTheme(), "Carbon");
  EXPECT_EQ(Appearance.GetFontSize(), 10);
  EXPECT_EQ(other.FontPoints(), 10);
  EXPECT_EQ(settings.Form().FontPoints(), 10);
  EXPECT_EQ(Painter.WindowColor(), WindowColorOf("Carbon"));
  EXPECT_TRUE(Store.Empty());
}

TEST_F(SettingsDialogTest, OkSavesThemeAndSize) {
  TfrmSettings settings(Environment);
  settings.Form().OnShown = [&](TDialog& d) {
    Choose(d, "cmbTheme", ThemeIndex("Sapphire Kamri"));
    Choose(d, "cmbFontSize", 2);
    AfterChanges(d, [&d] { d.PressOK(); });
  };
  EXPECT_TRUE(settings.Execute(Appearance, Store, Owner.Handle()));
  EXPECT_EQ(Store.RawValue("Settings", "Theme"), "Sapphire Kamri");
  EXPECT_EQ(Store.RawValue("Settings", "FontSize"), "10");
}

TEST_F(SettingsDialogTest, AChangeStillQueuedWhenTheDialogClosesIsKept) {
  TfrmSettings settings(Environment);
  settings.Form().OnShown = [&](TDialog& d) {
    // OK is clicked after the notification but before the change it queued gets
    // its turn.
    Choose(d, "cmbFontSize", 3);
    d.Post([&d] { PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0); });
  };
  EXPECT_TRUE(settings.Execute(Appearance, Store, Owner.Handle()));
  EXPECT_EQ(Appearance.GetFontSize(), 11);
  EXPECT_EQ(Store.RawValue("Settings", "FontSize"), "11");
}

TEST(OpenWindowsTest, TracksDialogsAndTellsThemTheNewSize) {
  TOpenWindows openWindows;
  const TFormEnvironment environment{"", nullptr, &openWindows};
  {
    TDialog first(OtherDescription(), OtherOptions(environment));
    TDialog second(OtherDescription(), OtherOptions(environment));
    TDialog elsewhere(OtherDescription(), OtherOptions({}));
    EXPECT_EQ(openWindows.Forms(), (std::vector<TForm*>{&first, &second}));
    openWindows.FontSizeChanged(12);
    EXPECT_EQ(first.FontPoints(), 12);
    EXPECT_EQ(second.FontPoints(), 12);
    EXPECT_EQ(elsewhere.FontPoints(), TAppearance::kDefaultFontSize);
    EXPECT_EQ(openWindows.FontPoints(), 12);
    TDialog third(OtherDescription(), OtherOptions(environment));
    EXPECT_EQ(third.FontPoints(), 12);
    // An explicit size still wins.
    TDialogOptions options = OtherOptions(environment);
    options.FontPoints = 8;
    TDialog fourth(OtherDescription(), options);
    EXPECT_EQ(fourth.FontPoints(), 8);
  }
  EXPECT_TRUE(openWindows.Forms().empty());
}

}  // namespace
}  // namespace palvetta
