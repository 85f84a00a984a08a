// The dialogs of the drive and file-system items on screen: the drive combo with a drive
// this machine lacks, FORMAT's rules per file system, COMPACT's file grid, CHKDSK's browse
// button, LABEL's mount-point box, DIR's attribute grid and RECOVER's check.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "editor_dialogs_fixture.h"
#include "editors/win/item_editor_dialogs.h"
#include "gui/win/controls/drive_combo_control.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "items/file_system/file_system_items.h"
#include "model/project.h"
#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// A drive letter this machine does not have, from the end of the alphabet.
char16_t AbsentLetter() {
  const DWORD used = GetLogicalDrives();
  for (int i = 25; i >= 0; --i) {
    if (!((used >> i) & 1U)) return static_cast<char16_t>(u'A' + i);
  }
  ADD_FAILURE() << "every drive letter is in use";
  return u'A';
}

// One drive letter this machine has.
char16_t PresentLetter() {
  const DWORD used = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((used >> i) & 1U) return static_cast<char16_t>(u'A' + i);
  }
  ADD_FAILURE() << "no drive at all";
  return u'C';
}

std::string Text(char16_t letter) { return std::string(1, static_cast<char>(letter)); }

class FileSystemDialogsTest : public EditorDialogsFixture {
 protected:
  static bool Enabled(TDialog& dialog, const std::string& control) {
    return IsWindowEnabled(dialog.Control(control)) != FALSE;
  }
};

// Every dialog that picks a drive by letter keeps a drive the machine lacks (a project
// made elsewhere) instead of switching the item to one of this machine's drives.
TEST_F(FileSystemDialogsTest, ADriveThisMachineLacksIsShownAndKept) {
  const char16_t absent = AbsentLetter();
  const char16_t present = PresentLetter();
  const auto check = [&](TCustomProjectItem& item, char16_t& drive, const char* what) {
    SCOPED_TRACE(what);
    drive = absent;
    const std::string before = item.GetBatchText();
    EXPECT_TRUE(Edit(item, [&](TDialog& d) {
      const TStrings entries = d.Entries("dcbDrive");
      const int index = d.Index("dcbDrive");
      ASSERT_GE(index, 0);
      EXPECT_EQ(entries[static_cast<size_t>(index)],
                Text(absent) + ":" + TDriveComboControl::kAbsentMark);
      EXPECT_NE(std::find(entries.begin(), entries.end(), Text(present) + ":"), entries.end());
      d.PressOK();
    }));
    EXPECT_EQ(drive, absent);
    EXPECT_EQ(item.GetBatchText(), before);
    // Picking one of this machine's drives takes it.
    EXPECT_TRUE(Edit(item, [&](TDialog& d) {
      const TStrings entries = d.Entries("dcbDrive");
      const auto at = std::find(entries.begin(), entries.end(), Text(present) + ":");
      ASSERT_NE(at, entries.end());
      d.SetIndex("dcbDrive", static_cast<int>(at - entries.begin()));
      d.PressOK();
    }));
    EXPECT_EQ(drive, present);
  };
  TProject project;
  auto& vol = project.Add<TVOLItem>();
  check(vol, vol.Volume, "VOL");
  auto& format = project.Add<TFormatItem>();
  check(format, format.Volume, "FORMAT");
  auto& chkdsk = project.Add<TCHKDSKItem>();
  check(chkdsk, chkdsk.Drive, "CHKDSK");
  auto& label = project.Add<TLabelItem>();
  check(label, label.Drive, "LABEL");
}

// SUBST offers the letters no drive uses; a stored root in use goes on top and is kept.
TEST_F(FileSystemDialogsTest, SubstOffersFreeLettersAndKeepsItsOwn) {
  TProject project;
  auto& subst = project.Add<TSubstItem>();
  const std::string used = Text(PresentLetter()) + ":\\";
  const std::string free = Text(AbsentLetter()) + ":\\";
  subst.Drive = used;
  subst.Path = "C:\\work";
  EXPECT_TRUE(Edit(subst, [&](TDialog& d) {
    const TStrings entries = d.Entries("dcbDrive");
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0], used);
    EXPECT_EQ(d.Index("dcbDrive"), 0);
    EXPECT_NE(std::find(entries.begin(), entries.end(), free), entries.end());
    EXPECT_TRUE(Enabled(d, "edtPath"));
    Click(d, "rbDeleteDrive");
    EXPECT_FALSE(Enabled(d, "edtPath"));
    EXPECT_FALSE(Enabled(d, "btnPath"));
    d.PressOK();
  }));
  EXPECT_EQ(subst.GetBatchText(), "SUBST " + used.substr(0, 2) + " /D");
}

TEST_F(FileSystemDialogsTest, FormatRulesFollowTheFileSystem) {
  TProject project;
  auto& format = project.Add<TFormatItem>();
  format.AllocUnitSize = "4096";
  EXPECT_TRUE(Edit(format, [&](TDialog& d) {
    EXPECT_TRUE(d.Checked("cbxAllocUnitSize"));
    EXPECT_EQ(d.Entries("cmbAllocUnitSize"),
              (TStrings{"512", "1024", "2048", "4096", "8192", "16K", "32K", "64K"}));
    EXPECT_EQ(d.Text("cmbAllocUnitSize"), "4096");
    EXPECT_TRUE(Enabled(d, "cmbAllocUnitSize"));
    EXPECT_TRUE(Enabled(d, "cbxCompressedByDefault"));
    EXPECT_FALSE(Enabled(d, "cmbUDFRevision"));
    EXPECT_FALSE(Enabled(d, "cbxMetadataDup"));

    // UDF: no allocation size, its revisions, and duplication only with 2.50.
    Choose(d, "cmbFileSystem", static_cast<int>(TFileSystem::fsUDF));
    EXPECT_FALSE(Enabled(d, "cbxAllocUnitSize"));
    EXPECT_FALSE(Enabled(d, "cmbAllocUnitSize"));
    EXPECT_FALSE(Enabled(d, "cbxCompressedByDefault"));
    EXPECT_TRUE(Enabled(d, "cmbUDFRevision"));
    EXPECT_TRUE(Enabled(d, "lblUDFRevision"));
    EXPECT_FALSE(Enabled(d, "cbxMetadataDup"));
    Choose(d, "cmbUDFRevision", static_cast<int>(TUDFRevision::udfr2_50));
    EXPECT_TRUE(Enabled(d, "cbxMetadataDup"));
    Choose(d, "cmbFileSystem", static_cast<int>(TFileSystem::fsNTFS));
    EXPECT_FALSE(Enabled(d, "cbxMetadataDup"));
    EXPECT_FALSE(Enabled(d, "cmbUDFRevision"));

    // exFAT offers its seventeen sizes; the box alone enables the list.
    Choose(d, "cmbFileSystem", static_cast<int>(TFileSystem::fsexFAT));
    EXPECT_EQ(d.Entries("cmbAllocUnitSize").size(), 17u);
    EXPECT_EQ(d.Entries("cmbAllocUnitSize").back(), "32M");
    Click(d, "cbxAllocUnitSize");
    EXPECT_FALSE(Enabled(d, "cmbAllocUnitSize"));
    Click(d, "cbxAllocUnitSize");
    EXPECT_TRUE(Enabled(d, "cmbAllocUnitSize"));
    d.SetText("cmbAllocUnitSize", "64K");
    d.SetIndex("cmbShortNames", 1);
    WritePngFile(ScreenshotFolder() / "editor-format-rules.png", CaptureClient(d.Handle()));
    d.PressOK();
  }));
  EXPECT_EQ(format.FileSystem, TFileSystem::fsexFAT);
  EXPECT_EQ(format.GetBatchText(), "FORMAT C: /FS:exFAT /A:64K /S:enable");

  // Without the box the size is dropped.
  EXPECT_TRUE(Edit(format, [&](TDialog& d) {
    Click(d, "cbxAllocUnitSize");
    d.PressOK();
  }));
  EXPECT_EQ(format.AllocUnitSize, "");
}

TEST_F(FileSystemDialogsTest, CompactGridHasRoomAndDropsBlankRows) {
  TProject project;
  auto& compact = project.Add<TCompactItem>();
  compact.Files = {"a.txt", "b.txt", "c.txt"};
  EXPECT_TRUE(Edit(compact, [&](TDialog& d) {
    TEditorValues values;
    d.Read(values);
    const TGridRows& rows = values.Rows("vstFiles");
    ASSERT_GE(rows.size(), 20u);
    EXPECT_EQ(rows[2][0], "c.txt");
    EXPECT_EQ(rows[3][0], "");
    TGridRows edited = rows;
    edited[1][0] = "   ";
    edited[7][0] = "  *.log ";
    d.SetRows("vstFiles", edited);
    d.PressOK();
  }));
  EXPECT_EQ(compact.Files, (TStrings{"a.txt", "c.txt", "*.log"}));

  TStrings many;
  for (int i = 0; i < 25; ++i) many.push_back("f" + std::to_string(i));
  compact.Files = many;
  EXPECT_FALSE(Edit(compact, [&](TDialog& d) {
    TEditorValues values;
    d.Read(values);
    ASSERT_GE(values.Rows("vstFiles").size(), 25u);
    EXPECT_EQ(values.Rows("vstFiles")[24][0], "f24");
    d.Cancel();
  }));
}

TEST_F(FileSystemDialogsTest, ChkdskBrowseChoosesAFileAndItsMode) {
  TProject project;
  auto& chkdsk = project.Add<TCHKDSKItem>();
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"C:\\data\\big file.db"};
  EXPECT_TRUE(Edit(chkdsk, [&](TDialog& d) {
    EXPECT_TRUE(d.Checked("rbCheckDisk"));
    EXPECT_FALSE(Enabled(d, "sedLogFileSize"));
    EXPECT_EQ(d.Text("sedLogFileSize"), "65536");
    Click(d, "cbxChangeLogFileSize");
    EXPECT_TRUE(Enabled(d, "sedLogFileSize"));
    Click(d, "btnFileName");
    EXPECT_TRUE(d.Checked("rbCheckFile"));
    EXPECT_FALSE(d.Checked("rbCheckDisk"));
    d.PressOK();
  }));
  ASSERT_EQ(pickers.Calls.size(), 1u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkOpen);
  EXPECT_EQ(pickers.Calls[0].Args.Title, "Select file");
  EXPECT_EQ(chkdsk.CHKDSKMode, TCHKDSKMode::cdmFile);
  EXPECT_EQ(chkdsk.GetBatchText(), "CHKDSK \"C:\\data\\big file.db\" /L:65536");
}

TEST_F(FileSystemDialogsTest, LabelMountPointSwapsDriveForVolumeName) {
  TProject project;
  auto& label = project.Add<TLabelItem>();
  EXPECT_TRUE(Edit(label, [&](TDialog& d) {
    EXPECT_TRUE(Enabled(d, "dcbDrive"));
    EXPECT_FALSE(Enabled(d, "edtVolume"));
    Click(d, "cbxMP");
    EXPECT_FALSE(Enabled(d, "dcbDrive"));
    EXPECT_FALSE(Enabled(d, "lblDrive"));
    EXPECT_TRUE(Enabled(d, "edtVolume"));
    d.SetText("edtVolume", "D");
    d.SetText("edtLabel", "A&B");
    d.PressOK();
  }));
  EXPECT_EQ(label.GetBatchText(), "LABEL /MP D: A^&B");
}

TEST_F(FileSystemDialogsTest, MklinkBrowsesForAFolderOrAFileByMode) {
  TProject project;
  auto& link = project.Add<TMKLinkItem>();
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"C:\\real.txt", "C:\\Real Folder"};
  EXPECT_TRUE(Edit(link, [&](TDialog& d) {
    Click(d, "btnTarget");
    EXPECT_EQ(d.Text("edtTarget"), "C:\\real.txt");
    Click(d, "rbDirJunction");
    Click(d, "btnTarget");
    d.SetText("edtLink", "j");
    d.PressOK();
  }));
  ASSERT_EQ(pickers.Calls.size(), 2u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkOpen);
  EXPECT_EQ(pickers.Calls[1].Kind, TPickerKind::pkFolder);
  EXPECT_EQ(link.GetBatchText(), "MKLINK /J j \"C:\\Real Folder\"");
}

// DIR's grid has all seven attributes, directory among them, under its own captions.
TEST_F(FileSystemDialogsTest, DirGridAndThousandsBoxes) {
  TProject project;
  auto& dir = project.Add<TDirItem>();
  dir.Path = "C:\\data";
  dir.Attr = true;
  dir.DirAttr = TFileAttr::frNotSet;
  EXPECT_TRUE(Edit(dir, [&](TDialog& d) {
    TThreeStateGridControl& grid = d.ThreeStateGrid("vstAttr");
    ASSERT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(grid.State(5), 2) << "directory, not set";
    grid.Click(0, 1);  // read-only: set
    Click(d, "cbxThousands");
    Click(d, "cbxNoThousands");
    EXPECT_FALSE(d.Checked("cbxThousands"));
    d.PressOK();
  }));
  EXPECT_EQ(dir.GetBatchText(), "DIR C:\\data /A:R-D /-C");
}

TEST_F(FileSystemDialogsTest, RecoverNeedsAFileName) {
  TProject project;
  auto& recover = project.Add<TRecoverItem>();
  EXPECT_FALSE(Edit(recover, [&](TDialog& d) {
    d.PressOK();
    EXPECT_EQ(d.ModalResult(), TModalResult::mrNone);
    d.Cancel();
  }));
  ASSERT_EQ(Messages.Shown.size(), 1u);
  EXPECT_EQ(Messages.Shown[0].Text, "Please select file name");
}

}  // namespace
}  // namespace palvetta
