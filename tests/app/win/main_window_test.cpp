#include "app/win/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/win/batch_preview.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/program.h"
#include "gui/win/dialog.h"
#include "gui/win/rich_edit.h"
#include "gui/win/ui_seams.h"
#include "items/misc/misc_items.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) { return ReadFileBytes(path); }

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

void Pump(TfrmMain& window) { window.DispatchPending(); }

std::string GoldenFolder() { return PALVETTA_TOOLS_GOLDEN; }

// Stands in for the editors: what the main window asks of them goes to OnEdit.
struct TEditingRecorder : IItemEditing {
  std::function<bool(TCustomProjectItem&, HWND, int)> OnEdit;
  bool Edit(TCustomProjectItem& item, HWND owner, int helpContext) override {
    return OnEdit ? OnEdit(item, owner, helpContext) : false;
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Folder = fs::temp_directory_path() / "palvetta_main_window" / info->name();
    fs::remove_all(Folder);
    fs::create_directories(Folder);
  }

  void TearDown() override {
    Window.reset();
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  // Makes and shows the main window and waits for its first activation to finish.
  TfrmMain& Start(const std::string& projectToOpen = "") {
    TMainWindowOptions options;
    options.Settings = &Store;
    options.AppDataFolder = PathToUtf8(Folder / "AppData");
    options.ProjectToOpen = projectToOpen;
    options.QuitWhenClosed = false;
    options.Editing = &Editing;
    options.Environment = Environment;
    Window = std::make_unique<TfrmMain>(options);
    Window->Show(SW_SHOWNORMAL);
    SetForegroundWindow(Window->Handle());
    EXPECT_TRUE(PumpUntil(*Window, [this] {
      return Window->Activated() && !Window->Palette().Texts().empty();
    })) << "the first activation did not finish";
    Pump(*Window);
    return *Window;
  }

  TProject& Project() { return Window->App().Project(); }

  HTREEITEM PaletteItem(const std::string& text) {
    const HTREEITEM item = Window->Palette().FindByText(text);
    EXPECT_NE(item, nullptr) << text;
    return item;
  }

  void AddEntry(const std::string& text, int position = -1) {
    Window->AddFromPalette(*Window->Palette().NodeOf(PaletteItem(text)), position);
  }

  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int row = 0; row < Project().Count(); ++row) {
      rows.push_back(Window->ProjectList().CellText(row, TProjectListView::colCommand));
    }
    return rows;
  }

  std::string Caption() { return WindowText(Window->Handle()); }

  fs::path Folder;
  TMemorySettingsStore Store;
  TMessageRecorder Messages;
  TScopedMessageBoxSeam MessageSeam{Messages};
  TFilePickerRecorder Pickers;
  TScopedFilePickerSeam PickerSeam{Pickers};
  TEditingRecorder Editing;
  TFormEnvironment Environment;  // the one Start gives the window
  std::unique_ptr<TfrmMain> Window;
};

TEST_F(MainWindowTest, StartsWithAnEmptyUntitledProjectAndTheWholePalette) {
  TfrmMain& window = Start();
  EXPECT_EQ(Caption(), "Palvetta v." + GetAppVersion(false) + " - Untitled.kwj");
  EXPECT_EQ(Project().Count(), 0);
  EXPECT_FALSE(window.Modified());
  const std::vector<std::string> texts = window.Palette().Texts();
  // Of the file items only ROBOCOPY exists so far; categories without entries are left out.
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Files");
  EXPECT_EQ(texts[1], "Robust copy files (ROBOCOPY)");
  EXPECT_EQ(texts[2], "Control of flow");
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "Archive (7Zip)"), texts.end());
  EXPECT_EQ(texts.back(), "Snippets");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "IF condition (IF)"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Bookmark"), texts.end());
  WritePngFile(ScreenshotFolder() / "main_window.png", CaptureClient(window.Handle()));
}

TEST_F(MainWindowTest, TheFilterControlsRebuildThePalette) {
  TfrmMain& window = Start();
  SendMessageW(window.FilterControl("cmbLevel"), CB_SETCURSEL, 2, 0);  // Level: Basic
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(1003, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(window.FilterControl("cmbLevel")));
  std::vector<std::string> texts = window.Palette().Texts();
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "Control of flow"), texts.end())
      << "no basic entries there";
  EXPECT_EQ(texts.front(), "Misc");

  SendMessageW(window.FilterControl("cmbLevel"), CB_SETCURSEL, 0, 0);
  SetWindowTextUtf8(window.FilterControl("edtFilter"), "sub");  // runs the change handler
  texts = window.Palette().Texts();
  EXPECT_EQ(texts, (std::vector<std::string>{"Control of flow", "Subroutine", "Subroutine end",
                                             "Subroutine dispatcher", "Snippets"}));
}

TEST_F(MainWindowTest, AddsMovesDisablesAndDeletesThroughItsActions) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  AddEntry("Parameter");
  // A double-click on a palette entry appends it.
  window.Palette().Select(PaletteItem("Exit"));
  NMHDR click = {window.Palette().Handle(), 1002, static_cast<UINT>(NM_DBLCLK)};
  SendMessageW(window.Handle(), WM_NOTIFY, 1002, reinterpret_cast<LPARAM>(&click));
  ASSERT_EQ(Project().Count(), 3);
  EXPECT_EQ(Project().Items(2).ClassType().Name, "TExitItem");
  EXPECT_TRUE(PumpUntil(window, [&] { return window.StatusText() == "Modified"; }));

  // Move the last row up twice: it becomes the first.
  window.ProjectList().SelectOnly(2);
  EXPECT_EQ(window.Actions().Execute("actMoveUp"), TExecuteResult::erExecuted);
  EXPECT_EQ(window.Actions().Execute("actMoveUp"), TExecuteResult::erExecuted);
  EXPECT_EQ(Project().Items(0).ClassType().Name, "TExitItem");
  EXPECT_EQ(window.ProjectList().FirstSelected(), 0);
  EXPECT_EQ(window.Actions().Execute("actMoveUp"), TExecuteResult::erDisabled);
  EXPECT_EQ(window.Actions().Execute("actMoveDown"), TExecuteResult::erExecuted);
  EXPECT_EQ(Project().Items(1).ClassType().Name, "TExitItem");

  // Disabling shows image 0 and leaves the item out of the batch file.
  window.ProjectList().SelectOnly(1);
  EXPECT_NE(window.ProjectList().RowImage(1), 0);
  EXPECT_NE(window.App().MakeBatchFile().Items(0).Stream.find("EXIT /B"), std::string::npos);
  EXPECT_EQ(window.Actions().Execute("actDisable"), TExecuteResult::erExecuted);
  EXPECT_FALSE(Project().Items(1).Enabled);
  EXPECT_EQ(window.ProjectList().RowImage(1), 0);
  EXPECT_EQ(window.App().MakeBatchFile().Items(0).Stream.find("EXIT /B"), std::string::npos);

  // Deleting with three rows selected deletes only the first selected.
  window.ProjectList().SelectRows({0, 1, 2});
  const std::string second = Project().Items(1).ClassType().Name.data();
  EXPECT_EQ(window.Actions().Execute("actDelete"), TExecuteResult::erExecuted);
  ASSERT_EQ(Project().Count(), 2);
  EXPECT_EQ(Project().Items(0).ClassType().Name, second);
}

TEST_F(MainWindowTest, ADropInsertsAboveOrBelowTheRowUnderThePoint) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  AddEntry("Comment (REM)");
  RECT row = {};
  ListView_GetItemRect(window.ProjectList().Handle(), 0, &row, LVIR_BOUNDS);
  const int middleX = (row.left + row.right) / 2;

  ASSERT_TRUE(window.DropOnList(PaletteItem("Exit"), {middleX, row.top + 1}));
  EXPECT_EQ(Project().Items(0).ClassType().Name, "TExitItem") << "above the first row";
  ListView_GetItemRect(window.ProjectList().Handle(), 0, &row, LVIR_BOUNDS);
  ASSERT_TRUE(window.DropOnList(PaletteItem("Bookmark"), {middleX, row.bottom - 2}));
  EXPECT_EQ(Project().Items(1).ClassType().Name, "TGotoLabelItem") << "on the first row";
  RECT client = {};
  GetClientRect(window.ProjectList().Handle(), &client);
  ASSERT_TRUE(window.DropOnList(PaletteItem("Parameter"), {middleX, client.bottom - 2}));
  EXPECT_EQ(Project().Items(4).ClassType().Name, "TParamItem") << "below every row";
  // Categories and the snippets root cannot be dropped.
  EXPECT_FALSE(window.DropOnList(PaletteItem("Misc"), {middleX, row.top + 1}));
  EXPECT_FALSE(window.DropOnList(PaletteItem("Snippets"), {middleX, row.top + 1}));
  EXPECT_EQ(Project().Count(), 5);
}

TEST_F(MainWindowTest, SavesOpensAndKeepsRecentFiles) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  const std::string first = PathToUtf8(Folder / "first.kwj");
  Pickers.Answers = {first};
  EXPECT_EQ(window.Actions().Execute("actSaveProject"), TExecuteResult::erExecuted);
  EXPECT_TRUE(fs::exists(Folder / "first.kwj"));
  EXPECT_FALSE(window.Modified());
  EXPECT_EQ(Caption(), "Palvetta v." + GetAppVersion(false) + " - " + first);
  ASSERT_EQ(Pickers.Calls.size(), 1u);
  EXPECT_EQ(Pickers.Calls[0].Kind, TPickerKind::pkSave);
  EXPECT_TRUE(Pickers.Calls[0].Args.OverwritePrompt);

  // Five more saves under new names: the list keeps the newest four, newest first.
  std::vector<std::string> names;
  for (int i = 0; i < 5; ++i) {
    names.push_back(PathToUtf8(Folder / ("p" + std::to_string(i) + ".kwj")));
    Pickers.Answers = {names.back()};
    window.Actions().Execute("actSaveProjectAs");
  }
  EXPECT_EQ(window.RecentFiles().Files(),
            (std::vector<std::string>{names[4], names[3], names[2], names[1]}));

  // Opening the first file again, with the project unchanged: no question asked.
  Pickers.Answers = {first};
  EXPECT_EQ(window.Actions().Execute("actOpenProject"), TExecuteResult::erExecuted);
  EXPECT_EQ(window.App().FileName, first);
  EXPECT_TRUE(Messages.Shown.empty());

  Window.reset();
  EXPECT_EQ(Store.ReadString("Recent", "1", ""), names[4]);
  EXPECT_EQ(Store.ReadString("Recent", "4", ""), names[1]);
}

TEST_F(MainWindowTest, ADamagedProjectFileIsReportedAndTheOldProjectStays) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  const fs::path damaged = Folder / "damaged.kwj";
  WriteText(damaged, "<?xml version=\"1.0\"?><Project><Item");
  EXPECT_FALSE(window.OpenProject(PathToUtf8(damaged)));
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text.rfind("Error opening project " + PathToUtf8(damaged) + ": ", 0),
            0u)
      << Messages.Shown[0].Text;
  EXPECT_GT(Messages.Shown[0].Text.size(), ("Error opening project " + PathToUtf8(damaged) + ": ").size());
  EXPECT_EQ(Project().Count(), 1);
  EXPECT_TRUE(window.App().FileName.empty());
}

TEST_F(MainWindowTest, ConfirmsSavingBeforeReplacingAModifiedProject) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  Messages.Answers = {IDCANCEL};
  window.Actions().Execute("actNewProject");
  EXPECT_EQ(Project().Count(), 1) << "Cancel keeps the project";
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text, "Save current project?");
  EXPECT_EQ(Messages.Shown[0].Caption, "Confirm");
  EXPECT_EQ(Messages.Shown[0].Flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

  Messages.Answers = {IDYES};
  Pickers.Answers = {std::nullopt};  // the save dialog is cancelled: nothing happens
  window.Actions().Execute("actNewProject");
  EXPECT_EQ(Project().Count(), 1);

  Messages.Answers = {IDNO};
  window.Actions().Execute("actNewProject");
  EXPECT_EQ(Project().Count(), 0);
  EXPECT_FALSE(window.Modified());
}

TEST_F(MainWindowTest, MakesTheSameBatchFileAsTheCommandLineGenerator) {
  TfrmMain& window = Start();
  ASSERT_TRUE(window.OpenProject(GoldenFolder() + "/project.kwj"));
  const fs::path batch = Folder / "out" / "made.bat";
  fs::create_directories(batch.parent_path());
  Pickers.Answers = {PathToUtf8(batch)};
  EXPECT_EQ(window.Actions().Execute("actMakeBatchFile"), TExecuteResult::erExecuted);
  ASSERT_EQ(Pickers.Calls.size(), 1u);
  EXPECT_FALSE(Pickers.Calls[0].Args.OverwritePrompt);
  EXPECT_EQ(Pickers.Calls[0].Args.Filter, "Batch files (*.bat)|*.bat");
  EXPECT_EQ(ReadText(batch), ReadText(fs::path(GoldenFolder()) / "project.bat"));
  EXPECT_TRUE(Messages.Shown.empty());

  // A folder that cannot be written to gives the message and no file.
  Pickers.Answers = {PathToUtf8(Folder / "missing" / "x.bat")};
  window.Actions().Execute("actMakeBatchFile");
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text.rfind("Error saving batch file ", 0), 0u);
}

TEST_F(MainWindowTest, MakingTheBatchFileTellsWhichItemsLostCharacters) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  static_cast<TREMItem&>(Project().Items(0)).Text = "5 \xE2\x82\xAC";
  const fs::path batch = Folder / "euro.bat";
  Pickers.Answers = {PathToUtf8(batch)};
  window.Actions().Execute("actMakeBatchFile");
  EXPECT_EQ(ReadText(batch), "@ECHO OFF\r\nREM 5 ?\r\n");
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text,
            "The batch file's code page (437) has no place for some characters; each of them was "
            "written as \"?\":\r\n1. 5 \xE2\x82\xAC: \xE2\x82\xAC");
  EXPECT_EQ(Messages.Shown[0].Flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST_F(MainWindowTest, PreviewShowsTheBatchFileAsItWouldBeWritten) {
  TfrmMain& window = Start();
  ASSERT_TRUE(window.OpenProject(GoldenFolder() + "/project.kwj"));
  std::string shown;
  window.Preview().OnShown = [&](TfrmBatchPreview& preview) {
    preview.Post([&] {
      shown = RichEditText(preview.Editor());
      preview.Close();
    });
  };
  EXPECT_EQ(window.Actions().Execute("actPreviewBatchFile"), TExecuteResult::erExecuted);
  EXPECT_EQ(shown, BatchCodePage().ToUtf8(ReadText(fs::path(GoldenFolder()) / "project.bat")));
}

TEST_F(MainWindowTest, CreatesSnippetsFromTheSelectionAndRefusesBadNames) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  AddEntry("Exit");
  AddEntry("Parameter");
  const auto answer = [&](std::string name) {
    window.OnInputBoxShown = [name](TDialog& box) {
      box.SetText("edtText", name);
      box.Post([&box] { box.PressOK(); });
    };
  };
  window.ProjectList().SelectRows({0, 2});
  answer("Two items");
  EXPECT_EQ(window.Actions().Execute("actCreateSnippet"), TExecuteResult::erExecuted);
  EXPECT_EQ(window.Palette().Texts().back(), "Two items");
  ASSERT_EQ(window.App().Snippets().Count(), 1);
  const TSnippet& snippet = window.App().Snippets().Items(0);
  ASSERT_EQ(snippet.Count(), 2);
  EXPECT_EQ(snippet.Items(1).ClassType().Name, "TParamItem");
  EXPECT_TRUE(fs::exists(Folder / "AppData" / "Palvetta" / "Snippets" / "Two items.xml"));
  EXPECT_TRUE(Messages.Shown.empty());

  answer("two ITEMS");
  window.Actions().Execute("actCreateSnippet");
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text, "Snippet two ITEMS already exists!");

  // A name that is no file name is refused with a message, and nothing is listed.
  answer("a/b");
  window.Actions().Execute("actCreateSnippet");
  ASSERT_EQ(Messages.Shown.size(), 2u);
  EXPECT_NE(Messages.Shown[1].Text.find("a/b"), std::string::npos) << Messages.Shown[1].Text;
  answer("   ");
  window.Actions().Execute("actCreateSnippet");
  EXPECT_EQ(Messages.Shown.size(), 2u) << "a blank name does nothing";
  EXPECT_EQ(window.App().Snippets().Count(), 1);
  EXPECT_EQ(window.Palette().Texts().back(), "Two items");
}

TEST_F(MainWindowTest, ADamagedSnippetIsNamedAndTheRestOfTheStartGoesOn) {
  const fs::path snippets = Folder / "AppData" / "Palvetta" / "Snippets";
  {
    TApplicationModel app;
    app.ReadSnippets(PathToUtf8(Folder / "AppData"));
    TProject source;
    source.Add<TREMItem>();
    TItemList items = {&source.Items(0)};
    app.AddSnippet("Header", items);
  }
  WriteText(snippets / "Broken.xml", "<Project><Item Class=");
  const fs::path project = Folder / "start.kwj";
  {
    TApplicationModel app;
    app.Project().Add<TParamItem>();
    app.SaveToFile(PathToUtf8(project));
  }
  TfrmMain& window = Start(PathToUtf8(project));
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_NE(Messages.Shown[0].Text.find("Broken.xml"), std::string::npos);
  const std::vector<std::string> texts = window.Palette().Texts();
  EXPECT_EQ(texts.back(), "Header") << "the good snippet is offered";
  EXPECT_EQ(window.App().FileName, PathToUtf8(project));
  ASSERT_EQ(Project().Count(), 1);

  // A snippet node adds copies of its items.
  window.AddFromPalette(*window.Palette().NodeOf(PaletteItem("Header")), 0);
  ASSERT_EQ(Project().Count(), 2);
  EXPECT_EQ(Project().Items(0).ClassType().Name, "TREMItem");
}

TEST_F(MainWindowTest, EditingGivesTheEditorTheItemsHelpContext) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  int seen = -1;
  HWND owner = nullptr;
  Editing.OnEdit = [&](TCustomProjectItem& item, HWND editorOwner, int helpContext) {
    seen = helpContext;
    owner = editorOwner;
    static_cast<TREMItem&>(item).Text = "edited";
    return true;
  };
  Pump(window);
  window.EditRow(0);
  EXPECT_EQ(seen, 1108);
  EXPECT_EQ(owner, window.Handle());
  EXPECT_TRUE(window.Modified());
  EXPECT_NE(Rows()[0].find("edited"), std::string::npos);
}

TEST_F(MainWindowTest, F1OpensTheHelpOfWhatHasTheFocus) {
  TShellRecorder shell;
  TScopedShellSeam shellSeam(shell);
  Environment.HelpFile = "C:\\Palvetta\\palvetta.chm";
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  const auto pressF1 = [&](HWND control) {
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, VK_F1, 1);
    PostMessageW(control, WM_KEYUP, VK_F1, 0xC0000001);
    const std::size_t before = shell.Calls.size();
    EXPECT_TRUE(PumpUntil(window, [&] { return shell.Calls.size() > before; }));
    return shell.Calls.empty() ? 0u : shell.Calls.back().ContextId;
  };
  window.Palette().Select(PaletteItem("Exit"));
  EXPECT_EQ(pressF1(window.Palette().Handle()), 1026u);
  window.Palette().Select(PaletteItem("Misc"));
  EXPECT_EQ(pressF1(window.Palette().Handle()), 0u) << "a category has no page of its own";
  window.ProjectList().SelectOnly(0);
  EXPECT_EQ(pressF1(window.ProjectList().Handle()), 1108u);
  EXPECT_EQ(pressF1(window.FilterControl("edtFilter")), 20u);
}

TEST_F(MainWindowTest, TabMovesTheFocusThroughTheWindowsControls) {
  TfrmMain& window = Start();
  SetFocus(window.FilterControl("cmbLevel"));
  std::vector<HWND> visited;
  for (int i = 0; i < 6; ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    const HWND from = GetFocus();
    EXPECT_TRUE(PumpUntil(window, [&] { return GetFocus() != from; }));
    visited.push_back(GetFocus());
  }
  const auto has = [&](HWND control) {
    return std::find(visited.begin(), visited.end(), control) != visited.end();
  };
  EXPECT_TRUE(has(window.FilterControl("edtFilter")));
  EXPECT_TRUE(has(window.Palette().Handle()));
  EXPECT_TRUE(has(window.ProjectList().Handle()));
}

TEST_F(MainWindowTest, PlacementAndPaletteWidthAreKeptBetweenRuns) {
  {
    TfrmMain& window = Start();
    SetWindowPos(window.Handle(), nullptr, 40, 50, 820, 560, SWP_NOZORDER);
    PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    PumpUntil(window, [&] { return window.Handle() == nullptr; });
    Window.reset();
  }
  EXPECT_EQ(Store.ReadInteger("Window", "Left", -1), 40);
  EXPECT_GT(Store.ReadInteger("Window", "TaskListWidth", 0), 0);
  TfrmMain& again = Start();
  RECT r = {};
  GetWindowRect(again.Handle(), &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 820);
}

}  // namespace
}  // namespace palvetta
