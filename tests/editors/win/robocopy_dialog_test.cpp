// The ROBOCOPY dialog on screen, at the usual and the largest font size: its panels
// expand, collapse and scroll without leaving anything half painted, and the mouse wheel
// over its fields scrolls the panels without changing a value.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "editors/win/item_editor_dialogs.h"
#include "gui/appearance.h"
#include "gui/win/open_windows.h"
#include "items/item_families.h"
#include "items/robocopy/robocopy_item.h"
#include "model/project.h"
#include "support/png_file.h"
#include "support/project_files.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

constexpr const char* kGroup = "pgpCategories";

class RobocopyDialogTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  RobocopyDialogTest() {
    OpenWindows.FontSizeChanged(GetParam());
    Item.SrcDir = "C:\\from";
    Item.DestDir = "D:\\to";
  }

  // Shows the item's dialog at the test's font size and runs the action in it; then the
  // dialog is confirmed (the item takes its values) or cancelled.
  void InDialog(std::function<void(TDialog&)> action, bool confirm = false) {
    TItemEditorDialogs dialogs(AllEditorSpecs([](std::string_view) { return false; }),
                               {"", nullptr, &OpenWindows});
    dialogs.OnShown = [&action, confirm](TDialog& dialog) {
      dialog.Post([&dialog, &action, confirm] {
        action(dialog);
        if (confirm) dialog.PressOK();
        if (dialog.ModalResult() == TModalResult::mrNone) dialog.Cancel();
      });
    };
    dialogs.Execute(Item, Owner.Handle());
  }

  std::string ShotName(const std::string& step) const {
    return "robocopy_" + std::to_string(GetParam()) + "pt_" + step;
  }

  TOpenWindows OpenWindows;
  TMessageRecorder Messages;
  TScopedMessageBoxSeam Seam{Messages};
  TOwnerWindow Owner;
  TProject Project;
  TRobocopyItem& Item = Project.Add<TRobocopyItem>();
};

void Click(TDialog& dialog, const char* name) { SendMessageW(dialog.Control(name), BM_CLICK, 0, 0); }

void Scroll(TDialog& dialog, int code, int times = 1) {
  for (int i = 0; i < times; ++i) SendMessageW(dialog.Control(kGroup), WM_VSCROLL, code, 0);
}

// Wheel notches (negative: towards the user) turned with the cursor over the window, as
// the system sends them to the window under the cursor.
void Wheel(HWND window, int notches) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  const int step = notches < 0 ? -WHEEL_DELTA : WHEEL_DELTA;
  for (int i = 0; i < std::abs(notches); ++i) {
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, step), at);
  }
}

// The windows inside the panel group that a wheel could change the value of: drop-down
// lists, fields with spin buttons and date and time pickers, with their parts (a typed
// drop-down's field, the spin buttons).
std::vector<HWND> WheelTakersIn(HWND group) {
  std::vector<HWND> windows;
  EnumChildWindows(
      group,
      [](HWND child, LPARAM list) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        for (const wchar_t* taker : {L"ComboBox", L"Edit", UPDOWN_CLASSW, DATETIMEPICK_CLASSW}) {
          if (_wcsicmp(name, taker) == 0) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            break;
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Contains(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

TEST_P(RobocopyDialogTest, ExpandingCollapsingAndScrollingLeaveWhatAFreshPaintShows) {
  const struct {
    const char* Step;
    std::function<void(TDialog&)> Act;
  } steps[] = {
      {"copy_options_expanded", [](TDialog& d) { Click(d, "pnlCopyOptions"); }},
      {"scrolled_by_lines", [](TDialog& d) { Scroll(d, SB_LINEDOWN, 3); }},
      {"scrolled_by_a_page", [](TDialog& d) { Scroll(d, SB_PAGEDOWN); }},
      {"scrolled_by_the_wheel", [](TDialog& d) { Wheel(d.Control("cbxD"), -2); }},
      {"scrolled_to_the_end", [](TDialog& d) { Scroll(d, SB_BOTTOM); }},
      {"scrolled_back_up", [](TDialog& d) { Scroll(d, SB_PAGEUP, 2); }},
      {"file_selection_expanded", [](TDialog& d) { Click(d, "pnlFileSelection"); }},
      {"copy_options_collapsed", [](TDialog& d) { Click(d, "pnlCopyOptions"); }},
      {"all_collapsed", [](TDialog& d) { Click(d, "btnCollapseAll"); }},
  };
  InDialog([&](TDialog& dialog) {
    for (const auto& step : steps) {
      step.Act(dialog);
      const TRgbImage shown = CaptureClient(dialog.Handle());
      const TRgbImage fresh = CaptureRepainted(dialog.Handle());
      const int different = DifferentPixels(shown, fresh);
      if (different != 0) {
        WritePngFile(ScreenshotFolder() / (ShotName(step.Step) + "_shown.png"), shown);
        WritePngFile(ScreenshotFolder() / (ShotName(step.Step) + "_fresh.png"), fresh);
      }
      EXPECT_EQ(different, 0) << step.Step << ": see " << ShotName(step.Step) << "_*.png";
    }
  });
}

// With every panel open no two controls of the panels share pixels: a control lies
// inside a group box or beside the others, never across one.
TEST_P(RobocopyDialogTest, NoControlRunsIntoAnother) {
  InDialog([](TDialog& dialog) {
    for (const char* panel : {"pnlCopyOptions", "pnlFileSelection", "pnlRetryOptions",
                              "pnlLoggingOptions", "pnlJobOptions"}) {
      dialog.SetPanelExpanded(panel, true);
    }
    const HWND group = dialog.Control(kGroup);
    std::vector<std::pair<std::string, TRect>> inGroup;
    for (const auto& [name, rect] : dialog.LayoutRects()) {
      if (!rect.IsEmpty() && dialog.HasControl(name) && GetParent(dialog.Control(name)) == group) {
        inGroup.emplace_back(name, rect);
      }
    }
    for (auto a = inGroup.begin(); a != inGroup.end(); ++a) {
      for (auto b = std::next(a); b != inGroup.end(); ++b) {
        const TRect& r = a->second;
        const TRect& s = b->second;
        const bool apart = r.Right() <= s.Left || s.Right() <= r.Left || r.Bottom() <= s.Top ||
                           s.Bottom() <= r.Top;
        EXPECT_TRUE(apart || Contains(r, s) || Contains(s, r)) << a->first << " runs into " << b->first;
      }
    }
  });
}

TEST_P(RobocopyDialogTest, TheWheelScrollsThePanelsAndChangesNoValue) {
  const auto openPanels = [](TDialog& dialog) {
    Click(dialog, "pnlCopyOptions");
    Click(dialog, "pnlFileSelection");
    dialog.SetChecked("cbxSetRunHours", true);  // its time pickers take input
  };
  // What the dialog gives back untouched, with the same panels open.
  InDialog(openPanels, true);
  const std::string untouched = testing::SaveProject(Project);

  InDialog(
      [&](TDialog& dialog) {
        openPanels(dialog);
        SetFocus(dialog.Control("pnlCopyOptions"));
        // Over each of them (a notch down moves a list to its next entry); once the
        // panels reach their end, the notches scroll nothing and must still change nothing.
        const std::vector<HWND> takers = WheelTakersIn(dialog.Control(kGroup));
        EXPECT_GT(takers.size(), 30u);
        for (HWND window : takers) Wheel(window, -1);
        Wheel(dialog.Control("cmbCopyFileInfo"), -15);
        EXPECT_GT(dialog.PanelsScroll(kGroup), 0) << "the wheel did not scroll the panels";
      },
      true);
  // Line by line, so that a failure names the settings that changed.
  const TStrings before = SplitLines(untouched);
  const TStrings after = SplitLines(testing::SaveProject(Project));
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i], after[i]);
}

INSTANTIATE_TEST_SUITE_P(FontSizes, RobocopyDialogTest,
                         ::testing::Values(TAppearance::kDefaultFontSize, TAppearance::kMaxFontSize),
                         [](const auto& info) { return std::to_string(info.param) + "pt"; });

}  // namespace
}  // namespace palvetta
