#include "app/win/redirect_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "gui/win/ui_seams.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class RedirectDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  // Runs Execute with the values; while shown, `act` runs and then the dialog is closed
  // with OK or Cancel.
  bool Run(std::string& fileName, bool& overwrite, const std::function<void(TDialog&)>& act,
           bool ok) {
    Redirect.Form().OnShown = [&](TDialog& dialog) {
      dialog.Post([&] {
        act(dialog);
        if (ok) {
          dialog.PressOK();
        } else {
          dialog.Cancel();
        }
      });
    };
    return Redirect.Execute(fileName, overwrite);
  }

  TFilePickerRecorder Pickers;
  TScopedFilePickerSeam Seam{Pickers};
  TfrmRedirectToFile Redirect{TFormEnvironment{}};
};

TEST_F(RedirectDialogTest, ShowsTheValuesAndOkWritesBackWhatWasTyped) {
  TDialog& dialog = Redirect.Form();
  EXPECT_EQ(WindowText(dialog.Handle()), "Redirect to file");
  EXPECT_EQ(WindowText(dialog.Control("lblFileName")), "File name:");
  EXPECT_EQ(WindowText(dialog.Control("cbxOverwrite")), "Overwrite existing file");

  std::string fileName = "C:\\out\\log.txt";
  bool overwrite = true;
  std::string shownName;
  bool shownOverwrite = false;
  EXPECT_TRUE(Run(
      fileName, overwrite,
      [&](TDialog& d) {
        UpdateWindow(d.Handle());
        WritePngFile(ScreenshotFolder() / "redirect-dialog.png", CaptureClient(d.Handle()));
        shownName = d.Text("edtFileName");
        shownOverwrite = d.Checked("cbxOverwrite");
        d.SetText("edtFileName", "  %TEMP%\\run.log ");
        d.SetChecked("cbxOverwrite", false);
      },
      true));
  EXPECT_EQ(shownName, "C:\\out\\log.txt");
  EXPECT_TRUE(shownOverwrite);
  EXPECT_EQ(fileName, "  %TEMP%\\run.log ");
  EXPECT_FALSE(overwrite);

  // Kept between uses, yet filled anew each time; an emptied name is returned as such.
  EXPECT_TRUE(Run(
      fileName, overwrite,
      [&](TDialog& d) {
        shownName = d.Text("edtFileName");
        d.SetText("edtFileName", "");
      },
      true));
  EXPECT_EQ(shownName, "  %TEMP%\\run.log ");
  EXPECT_EQ(fileName, "");
}

TEST_F(RedirectDialogTest, CancelLeavesTheValuesAlone) {
  std::string fileName = "a.txt";
  bool overwrite = false;
  EXPECT_FALSE(Run(
      fileName, overwrite,
      [](TDialog& d) {
        d.SetText("edtFileName", "b.txt");
        d.SetChecked("cbxOverwrite", true);
      },
      false));
  EXPECT_EQ(fileName, "a.txt");
  EXPECT_FALSE(overwrite);
}

TEST_F(RedirectDialogTest, BrowsePutsThePickedFileInTheField) {
  Pickers.Answers = {std::string("D:\\logs\\build.log"), std::nullopt};
  std::string fileName = "old.txt";
  bool overwrite = false;
  std::string afterPick;
  std::string afterCancel;
  EXPECT_TRUE(Run(
      fileName, overwrite,
      [&](TDialog& d) {
        SendMessageW(d.Control("btnBrowse"), BM_CLICK, 0, 0);
        afterPick = d.Text("edtFileName");
        // A cancelled picker changes nothing.
        SendMessageW(d.Control("btnBrowse"), BM_CLICK, 0, 0);
        afterCancel = d.Text("edtFileName");
      },
      true));
  EXPECT_EQ(afterPick, "D:\\logs\\build.log");
  EXPECT_EQ(afterCancel, "D:\\logs\\build.log");
  EXPECT_EQ(fileName, "D:\\logs\\build.log");
  ASSERT_EQ(Pickers.Calls.size(), 2u);
  const TPickerCall& call = Pickers.Calls[0];
  EXPECT_EQ(call.Kind, TPickerKind::pkOpen);
  EXPECT_EQ(call.Args.Filter, "");
  EXPECT_EQ(call.Args.Owner, Redirect.Form().Handle());
  EXPECT_EQ(call.Args.InitialName, "old.txt");
}

}  // namespace
}  // namespace palvetta
