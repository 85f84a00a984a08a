// The dialogs of the file and folder items on screen: the three-state attribute grid
// under the mouse, the boxes that enable or clear others, the exclude list's "+" and
// "-", the "Add..." buttons and the OK check of DEL.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/date_time_text.h"
#include "editors/win/item_editor_dialogs.h"
#include "gui/win/controls/list_control.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "items/file_and_folder/file_and_folder_items.h"
#include "model/project.h"
#include "editor_dialogs_fixture.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class FileAndFolderDialogsTest : public EditorDialogsFixture {
 protected:
  // A click of the mouse in the middle of a cell of the grid.
  static void ClickCell(TDialog& dialog, int row, int column) {
    const HWND grid = dialog.Control("vstAttr");
    const RECT cell = dialog.ThreeStateGrid("vstAttr").CellRect(row, column);
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(grid, WM_LBUTTONUP, 0, at);
  }
};

// Rows of the ATTRIB grid: read-only, hidden, system, archive, not content indexed.
TEST_F(FileAndFolderDialogsTest, AttributeGridClicksSetClearOrLeaveOut) {
  TProject project;
  auto& attrib = project.Add<TAttribItem>();
  attrib.System = TFileAttr::frSet;
  const auto states = [](TDialog& d) {
    std::vector<int> shown;
    for (int row = 0; row < d.ThreeStateGrid("vstAttr").RowCount(); ++row) {
      shown.push_back(d.ThreeStateGrid("vstAttr").State(row));
    }
    return shown;
  };

  // Cancel keeps the item whatever was clicked.
  EXPECT_FALSE(Edit(attrib, [&](TDialog& d) {
    EXPECT_EQ(states(d), (std::vector<int>{0, 0, 1, 0, 0}));
    ClickCell(d, 0, 1);
    ClickCell(d, 2, 2);
    d.Cancel();
  }));
  EXPECT_EQ(attrib.ReadOnlyAttr, TFileAttr::frUndef);
  EXPECT_EQ(attrib.System, TFileAttr::frSet);

  EXPECT_TRUE(Edit(attrib, [&](TDialog& d) {
    EXPECT_EQ(states(d), (std::vector<int>{0, 0, 1, 0, 0})) << "what the item holds, again";
    ClickCell(d, 0, 1);  // read-only: set,
    ClickCell(d, 0, 2);  // then clear: only clear stays
    ClickCell(d, 1, 2);  // hidden: clear,
    ClickCell(d, 1, 2);  // and clear again: left out
    ClickCell(d, 2, 1);  // system: set again, so left out
    ClickCell(d, 4, 1);  // not content indexed: set
    ClickCell(d, 3, 0);  // the caption does nothing
    EXPECT_EQ(states(d), (std::vector<int>{2, 0, 0, 0, 1}));
    WritePngFile(ScreenshotFolder() / "editor-attrib-grid.png", CaptureClient(d.Handle()));
    d.PressOK();
  }));
  EXPECT_EQ(attrib.ReadOnlyAttr, TFileAttr::frNotSet);
  EXPECT_EQ(attrib.Hidden, TFileAttr::frUndef);
  EXPECT_EQ(attrib.System, TFileAttr::frUndef);
  EXPECT_EQ(attrib.Arch, TFileAttr::frUndef);
  EXPECT_EQ(attrib.Indexed, TFileAttr::frSet);
  EXPECT_EQ(attrib.GetBatchText(), "ATTRIB -R +I");
}

TEST_F(FileAndFolderDialogsTest, DeleteGridOnlyWithItsBoxAndFilesRequired) {
  TProject project;
  auto& del = project.Add<TDeleteItem>();
  del.Hidden = TFileAttr::frSet;
  bool focused = false;
  EXPECT_FALSE(Edit(del, [&](TDialog& d) {
    EXPECT_FALSE(IsWindowEnabled(d.Control("vstAttr")));
    WritePngFile(ScreenshotFolder() / "editor-delete-grid-disabled.png", CaptureClient(d.Handle()));
    d.SetChecked("cbxDelAttr", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("vstAttr")));
    d.SetChecked("cbxDelAttr", false);
    EXPECT_FALSE(IsWindowEnabled(d.Control("vstAttr")));
    d.SetText("memFiles", "  \r\n\t\r\n");
    d.PressOK();
    focused = GetFocus() == d.Control("memFiles");
    EXPECT_EQ(d.ModalResult(), TModalResult::mrNone);
    d.Cancel();
  }));
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text, "Please enter the file(s) to delete!");
  EXPECT_TRUE(focused);

  del.DelAttr = true;
  EXPECT_TRUE(Edit(del, [&](TDialog& d) {
    EXPECT_TRUE(IsWindowEnabled(d.Control("vstAttr")));
    ClickCell(d, 5, 2);  // reparse points: not set
    d.SetText("memFiles", "*.tmp\r\n\r\na b.txt");
    d.PressOK();
  }));
  EXPECT_EQ(del.Files, (std::vector<std::string>{"*.tmp", "", "a b.txt"}));
  EXPECT_EQ(del.GetBatchText(), "DEL /A:H-L *.tmp \"a b.txt\"");
}

TEST_F(FileAndFolderDialogsTest, AddNewFilesExcludesSubdirectoriesAndOlderOnly) {
  TProject project;
  auto& replace = project.Add<TReplaceItem>();
  // As loaded: the dialog shows what the item holds, even what a click would clear.
  replace.AddNewFiles = replace.Subdirs = true;
  EXPECT_TRUE(Edit(replace, [](TDialog& d) {
    EXPECT_TRUE(d.Checked("cbxAddNewFiles"));
    EXPECT_TRUE(d.Checked("cbxSubdirs"));
    d.SetChecked("cbxOld", true);  // clears /A
    EXPECT_FALSE(d.Checked("cbxAddNewFiles"));
    EXPECT_TRUE(d.Checked("cbxSubdirs"));
    d.SetChecked("cbxAddNewFiles", true);  // clears /S and /U
    EXPECT_FALSE(d.Checked("cbxSubdirs"));
    EXPECT_FALSE(d.Checked("cbxOld"));
    d.SetChecked("cbxPromptConfirm", true);  // others leave /A alone
    EXPECT_TRUE(d.Checked("cbxAddNewFiles"));
    SendMessageW(d.Control("cbxSubdirs"), BM_CLICK, 0, 0);  // a real click
    EXPECT_TRUE(d.Checked("cbxSubdirs"));
    EXPECT_FALSE(d.Checked("cbxAddNewFiles"));
    d.PressOK();
  }));
  EXPECT_FALSE(replace.AddNewFiles);
  EXPECT_TRUE(replace.Subdirs);
  EXPECT_TRUE(replace.PromptConfirm);
}

TEST_F(FileAndFolderDialogsTest, XCopyDateAndExcludeList) {
  TProject project;
  auto& xcopy = project.Add<TXCopyItem>();
  xcopy.Exclude = {"first.txt", "second.txt", "third.txt"};
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"C:\\lists\\skip list.txt"};
  EXPECT_TRUE(Edit(xcopy, [](TDialog& d) {
    EXPECT_EQ(d.Date("dtpD_Date"), Today());
    EXPECT_FALSE(IsWindowEnabled(d.Control("dtpD_Date")));
    d.SetChecked("cbxD", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("dtpD_Date")));
    d.SetDate("dtpD_Date", DateValue(2023, 12, 1));

    TListControl& list = d.ListBox("lbxExclude");
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    SendMessageW(d.Control("btnExcludeRemove"), BM_CLICK, 0, 0);
    EXPECT_EQ(list.Entries(), TStrings{"second.txt"});
    SendMessageW(d.Control("btnExcludePath"), BM_CLICK, 0, 0);
    SendMessageW(d.Control("btnExcludeAdd"), BM_CLICK, 0, 0);
    d.SetText("edtExcludePath", "");
    SendMessageW(d.Control("btnExcludeAdd"), BM_CLICK, 0, 0);  // even empty
    EXPECT_EQ(list.Entries(), (TStrings{"second.txt", "C:\\lists\\skip list.txt", ""}));
    WritePngFile(ScreenshotFolder() / "editor-xcopy-options.png", CaptureClient(d.Handle()));
    d.PressOK();
  }));
  EXPECT_TRUE(xcopy.D);
  EXPECT_EQ(xcopy.D_Date, DateValue(2023, 12, 1));
  EXPECT_EQ(xcopy.Exclude, (std::vector<std::string>{"second.txt", "C:\\lists\\skip list.txt", ""}));
  EXPECT_EQ(xcopy.GetBatchText(), "XCOPY   /D:12-1-2023 /EXCLUDE:second.txt+C:\\lists\\skip list.txt");
}

TEST_F(FileAndFolderDialogsTest, AddButtonsAppendThePickedFiles) {
  TProject project;
  auto& move = project.Add<TMoveFilesItem>();
  move.Files = {"a.txt"};
  auto& copy = project.Add<TCopyItem>();
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"C:\\x\\b.txt\nC:\\x\\c d.txt", "C:\\y\\e.txt"};
  EXPECT_TRUE(Edit(move, [](TDialog& d) {
    SendMessageW(d.Control("btnAdd"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  EXPECT_EQ(move.Files, (std::vector<std::string>{"a.txt", "C:\\x\\b.txt", "C:\\x\\c d.txt"}));
  EXPECT_TRUE(Edit(copy, [](TDialog& d) {
    SendMessageW(d.Control("btnAddFiles"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  ASSERT_EQ(copy.Sources.Count(), 1u);
  EXPECT_EQ(copy.Sources[0].Path, "C:\\y\\e.txt");
  ASSERT_EQ(pickers.Calls.size(), 2u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkOpenSeveral);
  EXPECT_EQ(pickers.Calls[1].Kind, TPickerKind::pkOpen);
}

}  // namespace
}  // namespace palvetta
