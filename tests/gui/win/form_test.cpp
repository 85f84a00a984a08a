#include "gui/win/form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "gui/win/dialog.h"
#include "gui/win/ui_seams.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// A plain sizeable top-level form, as the main window is one: it counts its rescales.
class TSampleForm : public TForm {
 public:
  explicit TSampleForm(const TFormEnvironment& environment = {}) : TForm(environment) {
    TWindowArgs args;
    args.ClassName = L"PalvettaSampleForm";
    args.Title = "Sample";
    args.Style = WS_OVERLAPPEDWINDOW;
    args.Pos = {60, 70, 400, 300};
    Create(args);
    FormCreated();
  }
  void Show(int command = SW_SHOWNA) { ShowForm(command); }

  int Rescales = 0;
  int LastSuggestedWidth = 0;

 protected:
  void Rescale(const TRect* suggested) override {
    ++Rescales;
    if (suggested) LastSuggestedWidth = suggested->Width;
  }
};

TRect BoundsOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveTo(HWND window, const TRect& r) {
  SetWindowPos(window, nullptr, r.Left, r.Top, r.Width, r.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect PrimaryWorkArea() { return PrimaryMonitor(CurrentMonitors())->WorkArea; }

class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }
  TMemorySettingsStore Store;
};

TEST_F(FormTest, SeesTheMonitorsOfTheDisplay) {
  const TMonitors monitors = CurrentMonitors();
  ASSERT_FALSE(monitors.empty());
  const TMonitorInfo* primary = PrimaryMonitor(monitors);
  ASSERT_NE(primary, nullptr);
  EXPECT_FALSE(primary->WorkArea.IsEmpty());
  EXPECT_GE(primary->Ppi, 96);
}

TEST_F(FormTest, PlacementRoundTripsThroughTheSettings) {
  const TRect place = {110, 120, 420, 310};
  {
    TSampleForm form;
    MoveTo(form.Handle(), place);
    form.SavePlacement(Store, "Sample");
  }
  const int dpi = TSampleForm().Dpi();
  EXPECT_EQ(Store.ReadInteger("Sample", "Left", -1), 110);
  EXPECT_EQ(Store.ReadInteger("Sample", "Top", -1), 120);
  EXPECT_EQ(Store.ReadInteger("Sample", "Width", -1), ToDesign(420, dpi));
  EXPECT_EQ(Store.ReadInteger("Sample", "Height", -1), ToDesign(310, dpi));
  EXPECT_FALSE(Store.ReadBool("Sample", "Maximized", true));

  TSampleForm restored;
  restored.RestorePlacement(Store, "Sample");
  EXPECT_EQ(BoundsOf(restored.Handle()), place);
  EXPECT_FALSE(IsWindowVisible(restored.Handle())) << "restoring must not show the form";
}

TEST_F(FormTest, AMaximizedFormKeepsItsNormalRectangleAndComesBackMaximized) {
  const TRect normal = {90, 80, 360, 260};
  {
    TSampleForm form;
    MoveTo(form.Handle(), normal);
    form.Show(SW_SHOWNA);
    ShowWindow(form.Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(form.Handle()));
    EXPECT_EQ(form.NormalBounds(), normal);
    form.SavePlacement(Store, "Max");
  }
  EXPECT_TRUE(Store.ReadBool("Max", "Maximized", false));
  EXPECT_EQ(Store.ReadInteger("Max", "Left", -1), 90);

  TSampleForm hidden;
  hidden.RestorePlacement(Store, "Max");
  EXPECT_FALSE(IsWindowVisible(hidden.Handle()));
  EXPECT_EQ(BoundsOf(hidden.Handle()), normal) << "the normal rectangle comes first";
  hidden.Show(SW_SHOWNA);
  EXPECT_TRUE(IsZoomed(hidden.Handle()));
  ShowWindow(hidden.Handle(), SW_RESTORE);
  EXPECT_EQ(BoundsOf(hidden.Handle()), normal);

  // A form that is already shown is maximized at once.
  TSampleForm shown;
  shown.Show(SW_SHOWNA);
  shown.RestorePlacement(Store, "Max");
  EXPECT_TRUE(IsZoomed(shown.Handle()));
}

TEST_F(FormTest, WithoutAUsablePlacementTheFormIsCentredOnThePrimaryMonitor) {
  const TRect area = PrimaryWorkArea();
  const struct {
    const char* name;
    std::function<void(TMemorySettingsStore&)> prepare;
  } cases[] = {
      {"nothing saved", [](TMemorySettingsStore&) {}},
      {"on a monitor that no longer exists",
       [](TMemorySettingsStore& s) {
         s.WriteInteger("S", "Left", 30000);
         s.WriteInteger("S", "Top", 30000);
         s.WriteInteger("S", "Width", 300);
         s.WriteInteger("S", "Height", 200);
       }},
      {"damaged values",
       [](TMemorySettingsStore& s) {
         s.WriteString("S", "Width", "wide");
         s.WriteString("S", "Height", "tall");
       }},
      {"a store that cannot be read", [](TMemorySettingsStore& s) { s.FailReads = true; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMemorySettingsStore store;
    c.prepare(store);
    TSampleForm form;
    form.RestorePlacement(store, "S");
    const TRect r = BoundsOf(form.Handle());
    EXPECT_EQ(r.Left, area.Left + (area.Width - r.Width) / 2);
    EXPECT_EQ(r.Top, area.Top + (area.Height - r.Height) / 2);
  }
}

TEST_F(FormTest, ARestoredPlacementIsPulledIntoTheWorkArea) {
  const TRect area = PrimaryWorkArea();
  Store.WriteInteger("S", "Left", area.Right() - 100);  // mostly off the right edge
  Store.WriteInteger("S", "Top", area.Top + 10);
  Store.WriteInteger("S", "Width", 300);
  Store.WriteInteger("S", "Height", 200);
  TSampleForm form;
  form.RestorePlacement(Store, "S");
  const TRect r = BoundsOf(form.Handle());
  EXPECT_EQ(r.Right(), area.Right());
  EXPECT_EQ(r.Top, area.Top + 10);
}

TEST_F(FormTest, FailingWritesAreDropped) {
  TSampleForm form;
  Store.FailWrites = true;
  EXPECT_NO_THROW(form.SavePlacement(Store, "S"));
  EXPECT_TRUE(Store.Empty());
}

TEST_F(FormTest, ASizeableFormIsFittedIntoTheWorkAreaWhenShown) {
  const TRect area = PrimaryWorkArea();
  TSampleForm form;
  MoveTo(form.Handle(), {area.Left, area.Top, area.Width + 200, area.Height + 150});
  form.Show();
  const TRect r = BoundsOf(form.Handle());
  EXPECT_LE(r.Width, area.Width);
  EXPECT_LE(r.Height, area.Height);
}

TEST_F(FormTest, ANewFontSizeReachesEveryOpenFormAndNewFormsStartWithIt) {
  TOpenWindows openWindows;
  TFormEnvironment environment;
  environment.OpenWindows = &openWindows;
  TSampleForm form(environment);
  TSampleForm plain;
  openWindows.FontSizeChanged(12);
  EXPECT_EQ(form.FontPoints(), 12);
  EXPECT_EQ(form.Rescales, 1);
  EXPECT_EQ(TSampleForm(environment).FontPoints(), 12);
  openWindows.FontSizeChanged(TAppearance::kDefaultFontSize);
  EXPECT_EQ(form.FontPoints(), TAppearance::kDefaultFontSize);
  // A form of the plain environment is in no registry and keeps the default size.
  openWindows.FontSizeChanged(11);
  EXPECT_EQ(plain.FontPoints(), TAppearance::kDefaultFontSize);
  EXPECT_EQ(plain.Rescales, 0);
  EXPECT_EQ(TSampleForm().FontPoints(), TAppearance::kDefaultFontSize);
}

TEST_F(FormTest, ADpiChangeRescalesFontsAndControls) {
  TDialog dialog(Dialog({LabelAbove("Name:", Edit("edtName", 30))}), {"Dpi", 9, {}});
  const int before = dialog.Dpi();
  const TRect editBefore = dialog.LayoutRects().at("edtName");
  LOGFONTW fontBefore = {};
  GetObjectW(dialog.Font(), sizeof(fontBefore), &fontBefore);

  const int target = before * 3 / 2;
  const TRect bounds = BoundsOf(dialog.Handle());
  RECT suggested = {bounds.Left, bounds.Top, bounds.Left + bounds.Width * 3 / 2,
                    bounds.Top + bounds.Height * 3 / 2};
  SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(target, target),
               reinterpret_cast<LPARAM>(&suggested));

  EXPECT_EQ(dialog.Dpi(), target);
  LOGFONTW fontAfter = {};
  GetObjectW(dialog.Font(), sizeof(fontAfter), &fontAfter);
  EXPECT_EQ(std::abs(fontAfter.lfHeight), std::abs(FontHeightFor(9, target)));
  EXPECT_NEAR(std::abs(fontAfter.lfHeight), std::abs(fontBefore.lfHeight) * 3 / 2, 1);
  const TRect editAfter = dialog.LayoutRects().at("edtName");
  EXPECT_NEAR(editAfter.Width, editBefore.Width * 3 / 2, editBefore.Width / 10);
  EXPECT_GE(BoundsOf(dialog.Handle()).Width, static_cast<int>(suggested.right - suggested.left));
  // The controls carry the new font.
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Control("edtName"), WM_GETFONT, 0, 0)),
            dialog.Font());
}

TEST_F(FormTest, F1OpensTheHelpContextTheDialogIsShownWithOrItsOwn) {
  TShellRecorder shell;
  TScopedShellSeam seam(shell);
  TDialogOptions editorOptions{"Editor", 9, {}};
  editorOptions.Environment.HelpFile = "C:\\Palvetta\\palvetta.chm";
  TDialog editor(Dialog({Edit("edtName", 20)}), editorOptions);
  TDialogOptions ownOptions = editorOptions;
  ownOptions.Title = "Own";
  ownOptions.HelpContext = 60;
  TDialog own(Dialog({Edit("edtName", 20)}), ownOptions);
  TDialog withoutHelpFile(Dialog({Edit("edtName", 20)}), {"Plain", 9, {}});

  const auto pressF1 = [](TDialog& dialog, int helpContext) {
    dialog.OnShown = [](TDialog& d) {
      PostMessageW(d.Control("edtName"), WM_KEYDOWN, VK_F1, 1);
      d.Post([&d] { d.Cancel(); });
    };
    dialog.ShowModal(nullptr, helpContext);
  };
  pressF1(editor, 1023);
  pressF1(own, 1023);
  pressF1(editor, 0);
  pressF1(withoutHelpFile, 1023);

  ASSERT_EQ(shell.Calls.size(), 3u) << "the plain environment has no help to open";
  EXPECT_EQ(shell.Calls[0].Target, "C:\\Palvetta\\palvetta.chm");
  EXPECT_EQ(shell.Calls[0].ContextId, 1023u);
  EXPECT_EQ(shell.Calls[1].ContextId, 60u) << "a dialog's own context wins";
  EXPECT_EQ(shell.Calls[2].ContextId, 0u) << "the context is taken at each showing";
}

// A dialog of the plain environment shares nothing with the forms of the thread that
// made the program's windows, so it runs on a thread of its own.
TEST_F(FormTest, APlainDialogRunsOnAThreadOfItsOwn) {
  TModalResult result = TModalResult::mrNone;
  std::string title;
  std::thread other([&] {
    TDialog dialog(Dialog({Edit("edtName", 20)}), {"Elsewhere", 9, {}});
    dialog.OnShown = [&](TDialog& d) {
      title = WindowText(d.Handle());
      d.Post([&d] { d.PressOK(); });
    };
    result = dialog.ShowModal(nullptr);
  });
  other.join();
  EXPECT_EQ(result, TModalResult::mrOK);
  EXPECT_EQ(title, "Elsewhere");
}

}  // namespace
}  // namespace palvetta
