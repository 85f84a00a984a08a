#include "app/win/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/catalogue.h"
#include "app/win/batch_preview.h"
#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "gui/win/dialog.h"
#include "gui/win/open_windows.h"
#include "gui/win/theme_painter.h"
#include "gui/win/rich_edit.h"
#include "gui/win/ui_seams.h"
#include "items/item_families.h"
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

// Ends the test program with the message when it is still alive after the time: a test
// that drives a modal window fails this way rather than hanging.
class TWatchdog {
 public:
  TWatchdog(std::chrono::seconds limit, std::string message)
      : FThread([this, limit, message = std::move(message)] {
          std::unique_lock lock(FMutex);
          if (FDone.wait_for(lock, limit, [this] { return FFinished; })) return;
          std::fprintf(stderr, "%s\n", message.c_str());
          std::fflush(stderr);
          TerminateProcess(GetCurrentProcess(), 3);
        }) {}
  ~TWatchdog() {
    {
      std::lock_guard lock(FMutex);
      FFinished = true;
    }
    FDone.notify_one();
    FThread.join();
  }

 private:
  std::mutex FMutex;
  std::condition_variable FDone;
  bool FFinished = false;
  std::thread FThread;
};

// The bounds of a window's children in its client coordinates.
std::map<HWND, TRect> ChildBounds(HWND window) {
  std::map<HWND, TRect> bounds;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    bounds[child] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  return bounds;
}

std::string Describe(const std::map<HWND, TRect>& bounds) {
  std::string text;
  for (const auto& [child, r] : bounds) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    text += Narrow(cls) + " (" + std::to_string(r.Left) + "," + std::to_string(r.Top) + " " +
            std::to_string(r.Width) + "x" + std::to_string(r.Height) + ") ";
  }
  return text;
}

// Plays the user at the settings dialog from timer ticks of the modal loop it runs in:
// picks the largest font size, waits until the main window has taken it, then cancels.
// Whatever happens, the dialog is cancelled after a few seconds and its loop ended
// after a few more, so the test goes on and reports instead of waiting.
class TSettingsDialogDriver {
 public:
  explicit TSettingsDialogDriver(TfrmMain& window) : FWindow(window) {
    FCurrent = this;
    FStart = std::chrono::steady_clock::now();
    FTimer = SetTimer(nullptr, 0, 50, &Tick);
  }
  ~TSettingsDialogDriver() {
    KillTimer(nullptr, FTimer);
    FCurrent = nullptr;
  }

  bool Tried = false;       // the main window had grown with the larger size
  bool Cancelled = false;   // as a user does, not after running out of time
  bool LoopEnded = false;   // the dialog did not end and its loop was ended instead
  std::map<HWND, TRect> Grown;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (FCurrent) FCurrent->Step();
  }

  static HWND FindSettings() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
          if (IsWindowVisible(window) && WindowText(window) == "Settings") {
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  void Step() {
    const auto elapsed = std::chrono::steady_clock::now() - FStart;
    const HWND dialog = FindSettings();
    if (elapsed > std::chrono::seconds(20)) {
      if (!LoopEnded) PostQuitMessage(0);  // ends the modal loop for certain
      LoopEnded = true;
      return;
    }
    if (!dialog || FCancelSent) return;
    if (elapsed > std::chrono::seconds(10)) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      FCancelSent = true;
      return;
    }
    if (!FPicked) {
      // The font size is the second combo box.
      HWND combo = FindWindowExW(dialog, nullptr, WC_COMBOBOXW, nullptr);
      combo = FindWindowExW(dialog, combo, WC_COMBOBOXW, nullptr);
      if (!combo) return;
      SendMessageW(combo, CB_SETCURSEL, TAppearance::kMaxFontSize - TAppearance::kMinFontSize, 0);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
      FPicked = true;
      return;
    }
    if (FWindow.FontPoints() != TAppearance::kMaxFontSize) return;
    Tried = true;
    Grown = ChildBounds(FWindow.Handle());
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    FCancelSent = true;
    Cancelled = true;
  }

  static inline TSettingsDialogDriver* FCurrent = nullptr;
  TfrmMain& FWindow;
  std::chrono::steady_clock::time_point FStart;
  UINT_PTR FTimer = 0;
  bool FPicked = false;
  bool FCancelSent = false;
};

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
    options.AppDataFolder = [folder = PathToUtf8(Folder / "AppData")] { return folder; };
    options.ProjectToOpen = projectToOpen;
    options.QuitWhenClosed = false;
    options.Editing = &Editing;
    options.Environment = Environment;
    options.Appearance = Appearance;
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

  // A double-click of the left button at a point of the palette's client area, the
  // mouse there as well.
  void DoubleClickPalette(POINT client) {
    const HWND tree = Window->Palette().Handle();
    POINT screen = client;
    ClientToScreen(tree, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    Pump(*Window);
  }

  void DoubleClickPaletteEntry(const std::string& text) {
    // A long palette may hold the entry below its visible rows, where no click reaches.
    TreeView_EnsureVisible(Window->Palette().Handle(), PaletteItem(text));
    RECT label = {};
    ASSERT_TRUE(TreeView_GetItemRect(Window->Palette().Handle(), PaletteItem(text), &label, TRUE))
        << text;
    DoubleClickPalette({(label.left + label.right) / 2, (label.top + label.bottom) / 2});
  }

  // The File menu's shape: "-" for a separator, "*" for any other item.
  std::string FileMenuShape() {
    const HMENU file = GetSubMenu(GetMenu(Window->Handle()), 0);
    std::string shape;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      MENUITEMINFOW info = {};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_FTYPE;
      GetMenuItemInfoW(file, static_cast<UINT>(i), TRUE, &info);
      shape += (info.fType & MFT_SEPARATOR) ? '-' : '*';
    }
    return shape;
  }

  fs::path Folder;
  TMemorySettingsStore Store;
  TMessageRecorder Messages;
  TScopedMessageBoxSeam MessageSeam{Messages};
  TFilePickerRecorder Pickers;
  TScopedFilePickerSeam PickerSeam{Pickers};
  TEditingRecorder Editing;
  TFormEnvironment Environment;  // the one Start gives the window
  TAppearance* Appearance = nullptr;  // the one Start gives the window
  // For an environment with a theme and font sizes; they outlive the window.
  TThemePainter Painter;
  TOpenWindows OpenWindows;
  std::unique_ptr<TfrmMain> Window;
};

TEST_F(MainWindowTest, StartsWithAnEmptyUntitledProjectAndTheWholePalette) {
  TfrmMain& window = Start();
  EXPECT_EQ(Caption(), "Palvetta v." + GetAppVersion(false) + " - Untitled.kwj");
  EXPECT_EQ(Project().Count(), 0);
  EXPECT_FALSE(window.Modified());
  const std::vector<std::string> texts = window.Palette().Texts();
  EXPECT_EQ(texts.front(), "Files");
  // A category is shown exactly when an item family offers one of its entries.
  TClassRegistry classes;
  RegisterItemFamilies(classes);
  for (size_t c = 0; c < CatalogueCategories().size(); ++c) {
    bool offered = false;
    for (const TCatalogueEntry& entry : CatalogueEntriesOf(static_cast<int>(c))) {
      offered = offered || ResolveCatalogueEntry(entry, classes) != nullptr;
    }
    const std::string title(CatalogueCategories()[c].Title);
    EXPECT_EQ(std::find(texts.begin(), texts.end(), title) != texts.end(), offered) << title;
  }
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
  EXPECT_EQ(texts.front(), "Files");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Misc"), texts.end());

  SendMessageW(window.FilterControl("cmbLevel"), CB_SETCURSEL, 0, 0);
  SetWindowTextUtf8(window.FilterControl("edtFilter"), "sub");  // runs the change handler
  texts = window.Palette().Texts();
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Control of flow", "Subroutine", "Subroutine end", "Subroutine dispatcher",
                       "File System", "Display a list of files and subdirectories in a directory (DIR)",
                       "Snippets"}));
}

TEST_F(MainWindowTest, AddsMovesDisablesAndDeletesThroughItsActions) {
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  AddEntry("Parameter");
  DoubleClickPaletteEntry("Exit");
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

TEST_F(MainWindowTest, ADoubleClickInThePaletteAddsTheEntryUnderTheMouseOnly) {
  TfrmMain& window = Start();
  SetWindowTextUtf8(window.FilterControl("edtFilter"), "sub");  // a few rows, room below
  window.Palette().Select(PaletteItem("Subroutine"));
  DoubleClickPaletteEntry("Subroutine end");
  ASSERT_EQ(Rows().size(), 1u) << "the entry under the mouse, not the selected one";
  EXPECT_EQ(Project().Items(0).ClassType().Name, "TSubroutineEndItem");

  RECT client = {};
  GetClientRect(window.Palette().Handle(), &client);
  window.Palette().Select(PaletteItem("Subroutine"));
  DoubleClickPalette({client.right / 2, client.bottom - 3});
  EXPECT_EQ(Project().Count(), 1) << "below the last row nothing is added";
  DoubleClickPaletteEntry("Control of flow");
  EXPECT_EQ(Project().Count(), 1) << "a category adds nothing";
}

TEST_F(MainWindowTest, TheFileMenuSeparatesTheRecentFilesOnlyWhenThereAreAny) {
  TfrmMain& window = Start();
  EXPECT_EQ(FileMenuShape(), "****-*-*") << "no doubled separator";
  ASSERT_TRUE(window.OpenProject(GoldenFolder() + "/project.kwj"));
  window.Actions().Execute("actNewProject");  // the project becomes a recent file
  EXPECT_EQ(FileMenuShape(), "****-*-*-*");
  const HMENU file = GetSubMenu(GetMenu(window.Handle()), 0);
  wchar_t text[MAX_PATH] = {};
  GetMenuStringW(file, 5, text, MAX_PATH, MF_BYPOSITION);
  EXPECT_EQ(Narrow(text), "&1 project.kwj");
  window.Actions().Execute("actNewProject");
  EXPECT_EQ(FileMenuShape(), "****-*-*-*") << "rebuilding keeps one separator each side";
  Window.reset();

  Store.WriteString("Recent", "1", PathToUtf8(Folder / "a.kwj"));
  Store.WriteString("Recent", "2", PathToUtf8(Folder / "b.kwj"));
  Start();
  EXPECT_EQ(FileMenuShape(), "****-**-*-*") << "recent files from the last run";
}

TEST_F(MainWindowTest, ThePaletteFitsItsLongestEntryOnFirstStart) {
  TfrmMain& window = Start();
  const HWND tree = window.Palette().Handle();
  EXPECT_FALSE(GetWindowLongPtrW(tree, GWL_STYLE) & WS_HSCROLL) << "no horizontal scroll bar";
  RECT client = {};
  GetClientRect(tree, &client);
  for (const std::string& text : window.Palette().Texts()) {
    const HTREEITEM item = PaletteItem(text);
    TreeView_EnsureVisible(tree, item);
    RECT label = {};
    ASSERT_TRUE(TreeView_GetItemRect(tree, item, &label, TRUE)) << text;
    EXPECT_LE(label.right, client.right) << text;
    EXPECT_GE(label.left, 0) << text << ": scrolled sideways";
  }
}

TEST_F(MainWindowTest, TheProjectListsColumnHeadersFitTheirCaptionsAtEveryFontSize) {
  TfrmMain& window = Start();
  const HWND header = ListView_GetHeader(window.ProjectList().Handle());
  const int margin = static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
  for (int points = TAppearance::kMinFontSize; points <= TAppearance::kMaxFontSize; ++points) {
    window.SetFontPoints(points);
    const HDC dc = GetDC(header);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    for (int column = 0; column < Header_GetItemCount(header); ++column) {
      wchar_t caption[64] = {};
      HDITEMW item = {};
      item.mask = HDI_TEXT;
      item.pszText = caption;
      item.cchTextMax = 64;
      Header_GetItem(header, column, &item);
      SIZE text = {};
      GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &text);
      RECT bounds = {};
      Header_GetItemRect(header, column, &bounds);
      EXPECT_GE(bounds.right - bounds.left, text.cx + 2 * margin)
          << Narrow(caption) << " at " << points << " points";
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
  }
}

TEST_F(MainWindowTest, ALargerFontTriedInTheSettingsAndCancelledLeavesNoTrace) {
  const TWatchdog watchdog(std::chrono::seconds(90),
                           "ALargerFontTriedInTheSettingsAndCancelledLeavesNoTrace: still running "
                           "after 90 s; the settings dialog or a relayout hangs");
  TAppearance appearance(Painter, OpenWindows);
  Environment = {"", &Painter, &OpenWindows};
  Appearance = &appearance;
  TfrmMain& window = Start();
  AddEntry("Comment (REM)");
  Pump(window);
  const std::map<HWND, TRect> before = ChildBounds(window.Handle());
  const TRgbImage shotBefore = CaptureClient(window.Handle());

  bool tried = false;
  {
    TSettingsDialogDriver driver(window);
    EXPECT_EQ(window.Actions().Execute("actSettings"), TExecuteResult::erExecuted);
    ASSERT_FALSE(driver.LoopEnded) << "the settings dialog did not close on Cancel";
    ASSERT_TRUE(driver.Cancelled) << "the main window never took the larger font size";
    EXPECT_NE(driver.Grown, before) << "the larger size showed while the dialog was open";
    tried = driver.Tried;
  }
  ASSERT_TRUE(tried);
  EXPECT_EQ(appearance.GetFontSize(), TAppearance::kDefaultFontSize);
  EXPECT_EQ(window.FontPoints(), TAppearance::kDefaultFontSize);
  EXPECT_TRUE(PumpUntil(window, [&] { return ChildBounds(window.Handle()) == before; }))
      << "before: " << Describe(before) << "\nafter: " << Describe(ChildBounds(window.Handle()));
  Pump(window);
  RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const TRgbImage shotAfter = CaptureClient(window.Handle());
  WritePngFile(ScreenshotFolder() / "font_size_cancelled_before.png", shotBefore);
  WritePngFile(ScreenshotFolder() / "font_size_cancelled_after.png", shotAfter);
  EXPECT_EQ(DifferentPixels(shotBefore, shotAfter), 0)
      << "see font_size_cancelled_before.png and font_size_cancelled_after.png";
}

TEST_F(MainWindowTest, TheSizeGripIsPaintedAtItsNewPlaceAfterTheWindowGrows) {
  TfrmMain& window = Start();
  Pump(window);
  RECT bounds = {};
  GetWindowRect(window.Handle(), &bounds);
  SetWindowPos(window.Handle(), nullptr, 0, 0, bounds.right - bounds.left + 120,
               bounds.bottom - bounds.top + 60, SWP_NOMOVE | SWP_NOZORDER);
  Pump(window);
  const HWND status = FindWindowExW(window.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  ASSERT_TRUE(status);
  const TRgbImage shown = CaptureClient(status);
  const TRgbImage fresh = CaptureRepainted(status);
  const int different = DifferentPixels(shown, fresh);
  if (different != 0) {
    WritePngFile(ScreenshotFolder() / "status_bar_grown_shown.png", shown);
    WritePngFile(ScreenshotFolder() / "status_bar_grown_fresh.png", fresh);
  }
  EXPECT_EQ(different, 0) << "see status_bar_grown_shown.png and status_bar_grown_fresh.png";
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

// The list asks only for the rows it shows, so a long project must still show every row,
// each with its own item's image and texts however far down, and its actions must see
// the selection there.
TEST_F(MainWindowTest, ALongProjectShowsEveryRowWithItsOwnItem) {
  constexpr int kRows = 20000;
  const fs::path file = Folder / "long.kwj";
  {
    TApplicationModel app;
    for (int i = 0; i < kRows; ++i) app.Project().Add<TREMItem>().Text = "row " + std::to_string(i);
    app.Project().Items(kRows / 2).Enabled = false;
    app.Project().Items(kRows - 1).RedirectTo = "last.txt";
    app.SaveToFile(PathToUtf8(file));
  }
  TfrmMain& window = Start(PathToUtf8(file));
  const HWND list = window.ProjectList().Handle();
  ASSERT_EQ(ListView_GetItemCount(list), kRows);
  const int enabledImage = window.ProjectList().RowImage(0);
  EXPECT_NE(enabledImage, 0);

  const struct {
    int Row;
    const char* Command;
    const char* Redirect;
    bool Enabled;
  } rows[] = {
      {0, "row 0", "", true},
      {kRows / 2, "row 10000", "", false},
      {kRows - 1, "row 19999", "last.txt", true},
  };
  for (const auto& row : rows) {
    ListView_EnsureVisible(list, row.Row, FALSE);
    Pump(window);
    wchar_t text[64] = {};
    ListView_GetItemText(list, row.Row, TProjectListView::colCommand, text, 64);
    EXPECT_EQ(Narrow(text), row.Command) << row.Row;
    ListView_GetItemText(list, row.Row, TProjectListView::colRedirect, text, 64);
    EXPECT_EQ(Narrow(text), row.Redirect) << row.Row;
    LVITEMW cell = {};
    cell.mask = LVIF_IMAGE;
    cell.iItem = row.Row;
    ASSERT_TRUE(ListView_GetItem(list, &cell)) << row.Row;
    EXPECT_EQ(cell.iImage, row.Enabled ? enabledImage : 0) << row.Row;
  }

  window.ProjectList().SelectOnly(kRows - 1);
  EXPECT_EQ(window.Actions().Execute("actMoveDown"), TExecuteResult::erDisabled);
  EXPECT_EQ(window.Actions().Execute("actMoveUp"), TExecuteResult::erExecuted);
  EXPECT_EQ(window.ProjectList().FirstSelected(), kRows - 2);
  EXPECT_EQ(window.ProjectList().CellText(kRows - 2, TProjectListView::colRedirect), "last.txt");
  EXPECT_EQ(window.ProjectList().CellText(kRows - 1, TProjectListView::colCommand), "row 19998");
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
