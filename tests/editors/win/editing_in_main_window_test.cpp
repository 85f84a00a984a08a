// A user's way through the program: items added from the palette of the main window,
// each edited in its dialog, the batch file made through the menu command and run in
// cmd.exe with and without its required argument.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/win/main_window.h"
#include "base/file_io.h"
#include "editors/win/item_editor_dialogs.h"
#include "items/item_families.h"
#include "support/batch_runner.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using e2e::SplitOutput;

class EditingInMainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  void SetUp() override {
    Folder = fs::temp_directory_path() / "palvetta_editing_in_main_window";
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    TMainWindowOptions options;
    options.Settings = &Store;
    options.AppDataFolder = [folder = PathToUtf8(Folder / "AppData")] { return folder; };
    options.QuitWhenClosed = false;
    options.Editing = &Dialogs;
    Window = std::make_unique<TfrmMain>(options);
    Window->Show(SW_SHOWNORMAL);
    ASSERT_TRUE(PumpUntil(*Window, [this] { return !Window->Palette().Texts().empty(); }));
  }

  void TearDown() override {
    Window.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  // Appends the palette entry and edits the new row in its dialog, as a double-click on
  // it does; the action fills the dialog, then OK is pressed.
  void AddAndEdit(const std::string& entry, const std::function<void(TDialog&)>& fill = nullptr) {
    const HTREEITEM node = Window->Palette().FindByText(entry);
    ASSERT_NE(node, nullptr) << entry;
    Window->AddFromPalette(*Window->Palette().NodeOf(node), -1);
    if (!fill) return;
    Dialogs.OnShown = [this, fill, entry](TDialog& dialog) {
      dialog.Post([this, &dialog, fill, entry] {
        fill(dialog);
        WritePngFile(ScreenshotFolder() / ("editing-" + std::to_string(++Shots) + ".png"),
                     CaptureClient(dialog.Handle()));
        dialog.PressOK();
        if (dialog.ModalResult() == TModalResult::mrNone) {
          ADD_FAILURE() << entry << ": OK was refused";
          dialog.Cancel();
        }
      });
    };
    const int row = Window->App().Project().Count() - 1;
    Window->EditRow(row);
    EXPECT_TRUE(Window->Modified()) << entry;
  }

  e2e::TBatchResult Run(const fs::path& batch, std::vector<std::string> arguments) {
    e2e::TBatchRunner runner;
    runner.Arguments = std::move(arguments);
    return runner.Run(batch);
  }

  fs::path Folder;
  int Shots = 0;
  TMemorySettingsStore Store;
  TMessageRecorder Messages;
  TScopedMessageBoxSeam MessageSeam{Messages};
  TFilePickerRecorder Pickers;
  TScopedFilePickerSeam PickerSeam{Pickers};
  TItemEditorDialogs Dialogs{AllEditorSpecs([](std::string_view) { return false; })};
  std::unique_ptr<TfrmMain> Window;
};

TEST_F(EditingInMainWindowTest, AProjectMadeThroughTheDialogsRunsAsItsItemsSay) {
  AddAndEdit("Parameter", [](TDialog& d) {
    d.SetText("edtName", "Name");
    d.SetIndex("cmbCheck", 1);  // Required (any string)
  });
  AddAndEdit("Check batch file parameters");
  AddAndEdit("Set variable value (SET)", [](TDialog& d) {
    d.SetText("edtName", "PalvettaAction");
    d.SetText("edtValue", "greet");
  });
  AddAndEdit("Subroutine dispatcher", [](TDialog& d) {
    d.SetText("cmbVarName", "PalvettaAction");
    d.SetRows("vstDispatcher", {{"greet", "Greet", "%Name%"}});
  });
  AddAndEdit("IF condition (IF)", [](TDialog& d) { d.SetText("edtCondition", "\"%~1\"==\"Ada\""); });
  AddAndEdit("Launch another program", [](TDialog& d) {
    d.SetText("edtPath", "ECHO");
    d.SetRows("vstParams", {{"It is Ada", ""}});
  });
  AddAndEdit("ELSE condition (ELSE)");
  AddAndEdit("Launch another program", [](TDialog& d) {
    d.SetText("edtPath", "ECHO");
    d.SetRows("vstParams", {{"Someone else", ""}});
  });
  AddAndEdit("End of IF (End of ELSE)");
  AddAndEdit("Exit");
  AddAndEdit("Subroutine", [](TDialog& d) {
    d.SetText("edtName", "Greet");
    d.SetRows("vstParams", {{"Whom", "who is greeted", "1"}});  // Required
  });
  AddAndEdit("Launch another program", [](TDialog& d) {
    d.SetText("edtPath", "ECHO");
    d.SetRows("vstParams", {{"Hello, [%1]", ""}});
  });
  AddAndEdit("Subroutine end");
  ASSERT_EQ(Window->App().Project().Count(), 13);
  EXPECT_TRUE(Messages.Shown.empty()) << Messages.Shown[0].Text;

  const fs::path batch = Folder / "greet.bat";
  Pickers.Answers = {PathToUtf8(batch)};
  ASSERT_EQ(Window->Actions().Execute("actMakeBatchFile"), TExecuteResult::erExecuted);
  ASSERT_TRUE(fs::exists(batch)) << (Messages.Shown.empty() ? "" : Messages.Shown[0].Text);

  const e2e::TBatchResult ada = Run(batch, {"Ada"});
  EXPECT_EQ(SplitOutput(ada.Output), (Lines{"Hello, [Ada]", "It is Ada"})) << ada.Output;
  EXPECT_EQ(ada.ExitCode, 0u);

  const e2e::TBatchResult bob = Run(batch, {"Bob"});
  EXPECT_EQ(SplitOutput(bob.Output), (Lines{"Hello, [Bob]", "Someone else"})) << bob.Output;

  // Without the required argument the parameter check stops the batch file at once.
  const e2e::TBatchResult none = Run(batch, {});
  const Lines printed = SplitOutput(none.Output);
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed[0], "Parameter Name can not be empty!");
  EXPECT_EQ(none.Output.find("Hello"), std::string::npos);
  EXPECT_EQ(none.ExitCode, 1u);
}

}  // namespace
}  // namespace palvetta
