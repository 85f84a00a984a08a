// The dialogs of the file and folder items: COPY, MOVE, DEL, ATTRIB, MD, CD, RMDIR, REN
// of folders and files, REPLACE and XCOPY.

#include "items/file_and_folder/file_and_folder_dialogs.h"

#include "items/attribute_grid.h"
#include "items/file_and_folder/file_and_folder_items.h"

namespace palvetta {
namespace {

const char* const kOverwriteCaption =
    "Suppress prompting to confirm you want to overwrite an existing destination file";

// A memo with an "Add..." button beside it that appends picked files.
TLayoutNode MemoWithAdd(std::string caption, std::string memo, std::string button) {
  return LabelAbove(std::move(caption), Stretched(Row({Stretched(Memo(std::move(memo), 5, 50)),
                                                        Button(std::move(button), "Add...")})));
}

TBrowseButton FolderBrowse(std::string button, std::string field, std::string title) {
  return {.Button = std::move(button),
          .Field = std::move(field),
          .Kind = TBrowseKind::bkFolder,
          .Title = std::move(title)};
}

TBrowseButton FileBrowse(std::string button, std::string field) {
  return {.Button = std::move(button), .Field = std::move(field)};
}

TBrowseButton AddFilesBrowse(std::string button, std::string memo, bool multiple) {
  return {.Button = std::move(button),
          .Field = std::move(memo),
          .Kind = TBrowseKind::bkAddFiles,
          .Multiple = multiple};
}

TEditorSpec Copy() {
  return {.Title = "Copy Files",
          .Layout = Dialog({
              MemoWithAdd("Source files (one per line):", "memSrcFiles", "btnAddFiles"),
              FieldWithBrowse("Destination:", "edtDestination", "btnDestination"),
              Form({
                  LabelBeside("Source type:", Combo("cmbSourceType", kFileTypes.DisplayTexts())),
                  LabelBeside("Destination type:",
                              Combo("cmbDestinationType", kFileTypes.DisplayTexts())),
              }),
              Check("cbxAllowDestDecrypted", "Allow the destination file to be created decrypted (/D)"),
              Check("cbxVerify", "Verify that new files are written correctly (/V)"),
              Check("cbxUseShortNames", "Use short file names when copying long names (/N)"),
              Check("cbxPromptOverwrite", kOverwriteCaption),
              Check("cbxNetworkedRestartable", "Copy networked files in restartable mode (/Z)"),
              Check("cbxCopySymLinks", "Copy symbolic links instead of their targets (/L)"),
          }),
          .Browse = {AddFilesBrowse("btnAddFiles", "memSrcFiles", false),
                     FolderBrowse("btnDestination", "edtDestination", "Select destination folder")}};
}

TEditorSpec Delete() {
  return {.Title = "Delete files",
          .Layout = Dialog({
              MemoWithAdd("Files to delete (wildcards such as *.tmp are allowed):", "memFiles",
                          "btnAdd"),
              Check("cbxPrompt", "Prompt for confirmation before deleting each file (/P)"),
              Check("cbxDelReadOnly", "Force deleting of read-only files (/F)"),
              Check("cbxDelFromSubDirs", "Delete the files from all subdirectories (/S)"),
              Check("cbxQuiet", "Do not ask to confirm deleting with wildcards (/Q)"),
              Check("cbxDelAttr", "Delete only files with these attributes (/A):"),
              Indented(ThreeStateGrid("vstAttr", {"Attribute", "Set", "Not set"},
                                      AttributeGridRows("RHSAIL"))),
          }),
          .Browse = {AddFilesBrowse("btnAdd", "memFiles", true)},
          .Enabling = {{"cbxDelAttr", {"vstAttr"}}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!IsBlank(values.Text("memFiles"))) return std::nullopt;
            return TCheckFailure{"Please enter the file(s) to delete!", "memFiles"};
          }}};
}

TEditorSpec Attrib() {
  return {.Title = "Set attributes",
          .Layout = Dialog({
              FieldWithBrowse("File(s):", "edtPath", "btnBrowse"),
              ThreeStateGrid("vstAttr", {"Attribute", "Set", "Clear"}, AttributeGridRows("RHSAI")),
              Check("cbxFolders", "Process folders as well"),
              Check("cbxSubfolders", "Process matching files in all subfolders (/S)"),
              Check("cbxSymLinks", "Work on symbolic links instead of their targets (/L)"),
          }),
          .Browse = {FileBrowse("btnBrowse", "edtPath")}};
}

TEditorSpec MakeDir() {
  return {.Title = "Create directory",
          .Layout = Dialog({FieldWithBrowse("Directory name:", "edtDirName", "btnBrowse")}),
          .Browse = {FolderBrowse("btnBrowse", "edtDirName", "Select parent dir")}};
}

TEditorSpec ChangeDir() {
  return {.Title = "Change current directory",
          .Layout = Dialog({
              FieldWithBrowse("Directory:", "edtDirName", "btnBrowse"),
              Note("lblHint", "Leave blank to show current directory name", 40),
              Check("cbxDisk", "Change the current drive as well (/D)"),
          }),
          .Browse = {FolderBrowse("btnBrowse", "edtDirName", "Select directory")}};
}

TEditorSpec MoveFiles() {
  return {.Title = "Move file(s) to new location",
          .Layout = Dialog({
              MemoWithAdd("Files to move:", "memFiles", "btnAdd"),
              FieldWithBrowse("Destination:", "edtDestination", "btnDestination"),
              Check("cbxQuiet", kOverwriteCaption),
          }),
          .Browse = {AddFilesBrowse("btnAdd", "memFiles", true),
                     FolderBrowse("btnDestination", "edtDestination", "Select directory")}};
}

TEditorSpec RenameDir() {
  return {.Title = "Rename directory",
          .Layout = Dialog({
              FieldWithBrowse("Directory:", "edtDirectory", "btnBrowse"),
              LabelAbove("New name:", Edit("edtNewName", 40)),
              Hidden(Check("cbxQuiet", "Quiet")),
          }),
          .Browse = {FolderBrowse("btnBrowse", "edtDirectory", "Select the directory to rename")}};
}

TEditorSpec DeleteDir() {
  return {.Title = "Delete directory",
          .Layout = Dialog({
              FieldWithBrowse("Directory:", "edtDir", "btnBrowse"),
              Check("cbxSubdirs", "Remove all files and subdirectories as well (/S)"),
              Check("cbxQuiet", "Do not ask to confirm removing a directory tree (/Q)"),
          }),
          .Browse = {FolderBrowse("btnBrowse", "edtDir", "Select directory")}};
}

TEditorSpec RenameFile() {
  return {.Title = "Rename File",
          .Layout = Dialog({
              FieldWithBrowse("File name:", "edtFileName", "btnBrowse"),
              LabelAbove("New name:", Edit("edtDest", 40)),
          }),
          .Browse = {FileBrowse("btnBrowse", "edtFileName")}};
}

// /A adds new files and cannot go with /S or /U: checking it clears them, and clicking
// either of them while one is checked clears /A.
TEditorSpec Replace() {
  return {.Title = "Replace files",
          .Layout = Dialog({
              FieldWithBrowse("Source file(s):", "edtSource", "btnSource"),
              FieldWithBrowse("Destination directory:", "edtDestination", "btnDestination"),
              Check("cbxAddNewFiles", "Add new files to the destination directory (/A)"),
              Check("cbxPromptConfirm", "Prompt for confirmation (/P)"),
              Check("cbxReadonly", "Replace read-only files as well (/R)"),
              Check("cbxSubdirs", "Replace files in all subdirectories (/S)"),
              Check("cbxWait", "Wait for a disk to be inserted (/W)"),
              Check("cbxOld", "Replace only files older than the source files (/U)"),
          }),
          .Browse = {FileBrowse("btnSource", "edtSource"),
                     FolderBrowse("btnDestination", "edtDestination", "Select destination directory")},
          .Clearing = {{"cbxAddNewFiles", {"cbxAddNewFiles"}, {"cbxSubdirs", "cbxOld"}},
                       {"cbxSubdirs", {"cbxSubdirs", "cbxOld"}, {"cbxAddNewFiles"}},
                       {"cbxOld", {"cbxSubdirs", "cbxOld"}, {"cbxAddNewFiles"}}}};
}

TEditorSpec XCopy() {
  TLayoutNode exclude = GroupBox(
      "grpExclude", "List of files with exclude masks",
      {Row({Stretched(ListBox("lbxExclude", 4, 30)),
            Column({Button("btnExcludeAdd", "+"), Button("btnExcludeRemove", "-")})}),
       Row({Stretched(Edit("edtExcludePath", 30)),
            Aligned(Button("btnExcludePath", "..."), TAlign::alCentre)})});
  return {
      .Title = "Copy files and directory trees",
      .Layout = Dialog({
          FieldWithBrowse("Source:", "edtSrc", "btnSrc"),
          FieldWithBrowse("Destination:", "edtDest", "btnDest"),
          Pages("pgcOptions",
                {Page("Options 1",
                      {
                          Check("cbxA", "Copy only files with the archive attribute set (/A)"),
                          Check("cbxM", "Copy only files with the archive attribute set, and turn it off (/M)"),
                          Row({Check("cbxD", "Copy only files changed on or after (/D):"),
                               DatePicker("dtpD_Date")}),
                          exclude,
                          Check("cbxP", "Prompt before creating each destination file (/P)"),
                          Check("cbxS", "Copy directories and subdirectories except empty ones (/S)"),
                          Check("cbxE", "Copy directories and subdirectories, empty ones too (/E)"),
                          Check("cbxV", "Verify the size of each new file (/V)"),
                          Check("cbxW", "Ask to press a key before copying (/W)"),
                          Check("cbxC", "Continue copying even if errors occur (/C)"),
                          Check("cbxI", "A destination that does not exist is a directory (/I)"),
                      }),
                 Page("Options 2",
                      {
                          Check("cbxQ", "Do not display file names while copying (/Q)"),
                          Check("cbxF", "Display full source and destination file names (/F)"),
                          Check("cbxL", "Only display the files that would be copied (/L)"),
                          Check("cbxG", "Copy encrypted files to a destination without encryption (/G)"),
                          Check("cbxH", "Copy hidden and system files too (/H)"),
                          Check("cbxR", "Overwrite read-only files (/R)"),
                          Check("cbxT", "Create the directory structure without copying files (/T)"),
                          Check("cbxU", "Copy only files that exist in the destination (/U)"),
                          Check("cbxK", "Copy attributes (/K)"),
                          Check("cbxN", "Copy using the generated short names (/N)"),
                          Check("cbxO", "Copy file ownership and access control information (/O)"),
                          Check("cbxX", "Copy file audit settings (/X)"),
                          Form({LabelBeside("Overwrite prompt:",
                                            Combo("cmbXCopyOvewritePrompt",
                                                  kXCopyOverwritePrompts.DisplayTexts()))}),
                          Check("cbxZ", "Copy networked files in restartable mode (/Z)"),
                          Check("cbxB", "Copy symbolic links instead of their targets (/B)"),
                          Check("cbxJ", "Copy using unbuffered I/O (/J)"),
                      })}),
      }),
      .Browse = {FolderBrowse("btnSrc", "edtSrc", "Select folder"),
                 FolderBrowse("btnDest", "edtDest", "Select folder"),
                 FileBrowse("btnExcludePath", "edtExcludePath")},
      .Enabling = {{"cbxD", {"dtpD_Date"}}},
      .ListEditing = {{.List = "lbxExclude",
                       .Field = "edtExcludePath",
                       .AddButton = "btnExcludeAdd",
                       .RemoveButton = "btnExcludeRemove"}}};
}

}  // namespace

std::vector<TItemEditorSpec> FileAndFolderEditorSpecs() {
  return {
      {&TCopyItem::Class, Copy()},           {&TDeleteItem::Class, Delete()},
      {&TAttribItem::Class, Attrib()},       {&TMakeDirItem::Class, MakeDir()},
      {&TChangeDirItem::Class, ChangeDir()}, {&TMoveFilesItem::Class, MoveFiles()},
      {&TRenameDirItem::Class, RenameDir()}, {&TDeleteDirItem::Class, DeleteDir()},
      {&TRenameFileItem::Class, RenameFile()}, {&TReplaceItem::Class, Replace()},
      {&TXCopyItem::Class, XCopy()},
  };
}

constinit const TItemFamily kFileAndFolderFamily{kFileAndFolderItemClasses, [](const TEnvironmentLookup&) { return FileAndFolderEditorSpecs(); }};

}  // namespace palvetta
