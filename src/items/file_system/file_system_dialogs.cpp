// The dialogs of the drive and file-system items: CHKDSK, TREE, SUBST, DIR, FORMAT,
// COMPACT, VOL, RECOVER, LABEL, MKLINK, CHKNTFS and CONVERT. Every dialog that picks a
// drive does so with the drive combo, which keeps a drive this machine does not have.
// The radio buttons of a mode stand next to each other in one container: Windows moves
// the check among the buttons that follow each other in creation order.


#include "items/file_system/file_system_dialogs.h"

#include <memory>

#include "items/attribute_grid.h"
#include "items/file_system/alloc_units.h"
#include "items/file_system/file_system_items.h"
#include "model/procs.h"

namespace palvetta {
namespace {

constexpr int kNtfsIndex = static_cast<int>(TFileSystem::fsNTFS);
constexpr int kUdfIndex = static_cast<int>(TFileSystem::fsUDF);
constexpr int kUdf250Index = static_cast<int>(TUDFRevision::udfr2_50);

TBrowseButton FolderBrowse(std::string button, std::string field, std::string title) {
  return {.Button = std::move(button),
          .Field = std::move(field),
          .Kind = TBrowseKind::bkFolder,
          .Title = std::move(title)};
}

TBrowseButton FileBrowse(std::string button, std::string field) {
  return {.Button = std::move(button), .Field = std::move(field)};
}

TStrings FileSystemNames() {
  TStrings names;
  for (size_t i = 0; i < TEnumInfo<TFileSystem>::Names.size(); ++i) {
    names.push_back(FileSystemName(static_cast<TFileSystem>(i)));
  }
  return names;
}

TStrings UDFRevisionNames() {
  TStrings names;
  for (size_t i = 0; i < TEnumInfo<TUDFRevision>::Names.size(); ++i) {
    names.push_back(UDFRevisionName(static_cast<TUDFRevision>(i)));
  }
  return names;
}

TEditorSpec CheckDisk() {
  return {.Title = "Check a disk and display a status report",
          .Layout = Dialog({
              Radio("rbCheckDisk", "Check disk"),
              Radio("rbCheckFile", "Check file for fragmentation (FAT/FAT32)"),
              Form({LabelBeside("Drive:", DriveCombo("dcbDrive"))}),
              FieldWithBrowse("File:", "edtFileName", "btnFileName"),
              Check("cbxFixErrors", "Fix errors on the disk (/F)"),
              Check("cbxShowFileNames", "Display the full path and name of every file (/V)"),
              Check("cbxLocateBadSectors", "Locate bad sectors and recover readable information (/R)"),
              Check("cbxChangeLogFileSize",
                    "Change the log file size to the specified number of kilobytes"),
              Indented(LabelBeside("Size:", Number("sedLogFileSize", 10, 1, 2147483647))),
              Check("cbxForceDismount", "Force the volume to dismount first if necessary (/X)"),
              Check("cbxLessIndexCheck", "NTFS only: perform a less vigorous check of index entries (/I)"),
              Check("cbxSkipCycles", "NTFS only: skip checking of cycles within the folder structure (/C)"),
              Check("cbxReEvaluateBadClusters", "NTFS only: re-evaluate bad clusters on the volume (/B)"),
          }),
          .Browse = {{.Button = "btnFileName",
                      .Field = "edtFileName",
                      .Title = "Select file",
                      .Filter = "All files (*.*)|*.*",
                      .ChecksOnPick = "rbCheckFile"}},
          .Enabling = {{"cbxChangeLogFileSize", {"lblLogFileSize", "sedLogFileSize"}}}};
}

TEditorSpec Tree() {
  return {.Title = "Display folder structure",
          .Layout = Dialog({
              FieldWithBrowse("Path:", "edtPath", "btnPath"),
              Check("cbxDisplayFileNames", "Display the names of the files in each folder"),
              Check("cbxASCII", "Use ASCII instead of extended characters"),
          }),
          .Browse = {FolderBrowse("btnPath", "edtPath", "Select directory")}};
}

TEditorSpec Subst() {
  return {.Title = "Associate a path with a drive letter",
          .Layout = Dialog({
              Form({LabelBeside("Drive:", DriveCombo("dcbDrive", true))}),
              Radio("rbAssociateFolder", "Associate a folder"),
              Radio("rbDeleteDrive", "Delete virtual drive"),
              FieldWithBrowse("Folder:", "edtPath", "btnPath"),
          }),
          .Browse = {FolderBrowse("btnPath", "edtPath", "Select directory")},
          .Enabling = {{"rbAssociateFolder", {"lblPath", "edtPath", "btnPath"}}}};
}

TEditorSpec Dir() {
  return {
      .Title = "Display a list of files and subdirectories in a directory",
      .Layout = Dialog({
          FieldWithBrowse("Directory:", "edtPath", "btnPath"),
          Row({Column({
                   Check("cbxAttr", "Display files with specified attributes."),
                   ThreeStateGrid("vstAttr", {"Attribute", "Set", "Not set"},
                                  AttributeGridRows("RHSAIDL")),
               }),
               Column({
                   Check("cbxBare", "Use bare format: no heading information or summary (/B)"),
                   Check("cbxThousands", "Display the thousand separator in file sizes (/C)"),
                   Check("cbxNoThousands", "Hide the thousand separator in file sizes (/-C)"),
                   Check("cbxColumns", "Same as wide format, but files are sorted by column (/D)"),
                   Check("cbxLowercase", "Use lowercase (/L)"),
                   Check("cbxLongList", "New long list format, file names on the far right (/N)"),
                   Check("cbxSort", "List files in sorted order (/O)"),
                   Indented(Form({
                       LabelBeside("Sort by:", Combo("cmbSortBy", kSortOrders.DisplayTexts())),
                       LabelBeside("Time field:", Combo("cmbTimeField", kTimeFields.DisplayTexts())),
                   })),
                   Indented(Check("cbxReversed", "Reversed order")),
                   Check("cbxPause", "Pause after each screenful of information (/P)"),
                   Check("cbxOwner", "Display the owner of the file (/Q)"),
                   Check("cbxAltDataStreams", "Display alternate data streams of the file (/R)"),
                   Check("cbxSubdirs", "Display files in the directory and all subdirectories (/S)"),
                   Check("cbxWide", "Use wide list format (/W)"),
                   Check("cbxShortNames", "Display the short names of files (/X)"),
                   Check("cbxFourDigitYears", "Display four-digit years (/4)"),
               })}),
      }),
      .Browse = {FolderBrowse("btnPath", "edtPath", "Select directory")},
      .Clearing = {{"cbxThousands", {"cbxThousands"}, {"cbxNoThousands"}},
                   {"cbxNoThousands", {"cbxNoThousands"}, {"cbxThousands"}}}};
}

// The allocation unit sizes offered are the chosen file system's, when the dialog opens
// and whenever another is chosen (a size typed in stays).
TDialogHook AllocUnitSizesOfTheFileSystem(std::shared_ptr<const TAllocUnits> units) {
  return {.Attach = [units](IEditorDialog& dialog) {
    const auto refill = [units, &dialog] {
      const TStrings* sizes = units->GetUnits(static_cast<TFileSystem>(dialog.Index("cmbFileSystem")));
      dialog.SetEntries("cmbAllocUnitSize", sizes ? *sizes : TStrings{});
    };
    dialog.OnChange("cmbFileSystem", refill);
    dialog.OnShow(refill);
  }};
}

TEditorSpec Format() {
  // One list of sizes for the dialog's lifetime; each file system's entries are copies.
  auto units = std::make_shared<TAllocUnits>();
  return {
      .Title = "Format volume",
      .Layout = Dialog({
          Form({
              LabelBeside("Volume:", DriveCombo("dcbDrive")),
              LabelBeside("File system:", Combo("cmbFileSystem", FileSystemNames())),
              LabelBeside("Label:", Edit("edtLabel", 32)),
          }),
          Check("cbxQuickFormat", "Quick format"),
          Check("cbxCompressedByDefault",
                "NTFS only: Files created on the new volume will be compressed by default"),
          Check("cbxDismount", "Force the volume to dismount first if necessary (/X)"),
          Form({LabelBeside("UDF revision:", Combo("cmbUDFRevision", UDFRevisionNames()))}),
          Check("cbxMetadataDup", "UDF 2.50 only: Metadata will be duplicated."),
          Row({Check("cbxAllocUnitSize", "Override the default allocation unit size:"),
               Combo("cmbAllocUnitSize", {}, 8)}),
          Form({
              LabelBeside("Floppy size:", Combo("cmbFloppySize", {"", "1.44", "720"}, 8)),
              LabelBeside("Number of tracks per disk side:", Number("sedTracks")),
              LabelBeside("Number of sectors per track:", Number("sedSectorsPerTrack")),
          }),
          Row({Label("lblPasses", "Zero every sector on the volume"), Number("sedPasses"),
               Label("lblPassesTimes", "times")}),
          Form({LabelBeside("Short names:",
                            Combo("cmbShortNames", {"Default (nothing written)", "Enable", "Disable"}))}),
      }),
      .TypedCombos = {"cmbAllocUnitSize", "cmbFloppySize"},
      .Enabling = {{.CheckBox = "cmbFileSystem", .Controls = {"cbxAllocUnitSize", "cmbAllocUnitSize"},
                    .WhenIndex = kUdfIndex, .Inverse = true},
                   {"cbxAllocUnitSize", {"cmbAllocUnitSize"}},
                   {.CheckBox = "cmbFileSystem", .Controls = {"cbxCompressedByDefault"},
                    .WhenIndex = kNtfsIndex},
                   {.CheckBox = "cmbFileSystem",
                    .Controls = {"lblUDFRevision", "cmbUDFRevision", "cbxMetadataDup"},
                    .WhenIndex = kUdfIndex},
                   {.CheckBox = "cmbUDFRevision", .Controls = {"cbxMetadataDup"},
                    .WhenIndex = kUdf250Index}},
      .Hooks = {AllocUnitSizesOfTheFileSystem(std::move(units))}};
}

TEditorSpec Compact() {
  return {.Title = "Compress / Uncompress files and folders",
          .Layout = Dialog({
              Row({Radio("rbCompress", "Compress"), Radio("rbUnCompress", "UnCompress")}),
              FieldWithBrowse("Folder with subfolders:", "edtFolderWithSubfolders", "btnFolder"),
              LabelAbove("List of files/folders or wildcards:",
                         Stretched(Grid("vstFiles", {"File, folder or wildcard"}, 8, 40))),
              Check("cbxHiddenAndSystem", "Display files with the hidden or system attributes (/A)"),
              Check("cbxIgnoreErrors", "Continue even after errors have occurred (/I)"),
              Check("cbxCompressCompressed", "Force compression of files already compressed (/F)"),
              Check("cbxQuiet", "Report only the most essential information (/Q)"),
          }),
          .Browse = {FolderBrowse("btnFolder", "edtFolderWithSubfolders", "Select folder")}};
}

TEditorSpec Vol() {
  return {.Title = "Display volume info",
          .Layout = Dialog({Form({LabelBeside("Volume:", DriveCombo("dcbDrive"))})})};
}

TEditorSpec Recover() {
  return {.Title = "Recover readable information",
          .Layout = Dialog({FieldWithBrowse("File name:", "edtPAth", "btnPath")}),
          .Browse = {FileBrowse("btnPath", "edtPAth")},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!IsBlank(values.Text("edtPAth"))) return std::nullopt;
            return TCheckFailure{"Please select file name", "edtPAth"};
          }}};
}

TEditorSpec VolumeLabel() {
  return {.Title = "Volume label",
          .Layout = Dialog({
              Form({LabelBeside("Drive:", DriveCombo("dcbDrive"))}),
              Check("cbxMP", "Volume should be treated as a mount point or volume name"),
              Form({
                  LabelBeside("Volume name:", Edit("edtVolume", 32)),
                  LabelBeside("Label:", Edit("edtLabel", 32)),
              }),
          }),
          .Enabling = {{"cbxMP", {"lblVolume", "edtVolume"}},
                       {.CheckBox = "cbxMP", .Controls = {"lblDrive", "dcbDrive"}, .Inverse = true}}};
}

TEditorSpec MKLink() {
  return {.Title = "Create a symbolic link",
          .Layout = Dialog({
              LabelAbove("Link name:", Edit("edtLink", 40)),
              FieldWithBrowse("Target:", "edtTarget", "btnTarget"),
              GroupBox("grpMode", "Mode",
                       {Radio("rbFileSymLink", kMKLinkModes.Display(TMKLinkMode::mklmSimple).data()),
                        Radio("rbDirSymLink", kMKLinkModes.Display(TMKLinkMode::mklmDirSymLink).data()),
                        Radio("rbFileHardLink", kMKLinkModes.Display(TMKLinkMode::mklmHard).data()),
                        Radio("rbDirJunction", kMKLinkModes.Display(TMKLinkMode::mklmDirJunction).data())}),
          }),
          // A link to a folder is picked with the folder browser, one to a file with the
          // file picker.
          .Browse = {{.Button = "btnTarget",
                      .Field = "edtTarget",
                      .Kind = TBrowseKind::bkFolder,
                      .Title = "Select directory",
                      .FileWhenChecked = {"rbFileSymLink", "rbFileHardLink"}}}};
}

TEditorSpec CheckNTFS() {
  return {.Title = "Display or modify the checking of disk at boot time",
          .Layout = Dialog({
              Form({LabelBeside("Volume:", Edit("edtVolume", 32))}),
              Radio("rbDisplayStatus", "Display drive status"),
              Radio("rbRestoreDefaults", "Restore the machine to the default behavior"),
              Radio("rbTimer", "Change the AUTOCHK initiation countdown time"),
              Radio("rbShowTimer", "Display AUTOCHK initiation countdown time"),
              Radio("rbExclude", "Exclude a drive from the default boot-time check"),
              Radio("rbSchedule", "Schedule a drive to be checked at boot time"),
              Row({Label("lblTimer", "Countdown time:"), Number("sedTimer"),
                   Label("lblSeconds", "seconds")}),
          })};
}

TEditorSpec Convert() {
  return {.Title = "Convert a FAT volume to NTFS",
          .Layout = Dialog({
              Form({LabelBeside("Volume:", Edit("edtVolume", 32))}),
              FieldWithBrowse("Contiguous file in the root directory that will be the place holder "
                              "for NTFS system files:",
                              "edtCvtArea", "btnCvtArea"),
              Check("cbxVerbose", "Verbose mode"),
              Check("cbxNoSecurity", "Make the converted files and folders accessible by everyone"),
              Check("cbxDismount", "Force the volume to dismount first if necessary (/X)"),
          }),
          .Browse = {FileBrowse("btnCvtArea", "edtCvtArea")}};
}

}  // namespace

std::vector<TItemEditorSpec> FileSystemEditorSpecs() {
  return {
      {&TCHKDSKItem::Class, CheckDisk()}, {&TTreeItem::Class, Tree()},
      {&TSubstItem::Class, Subst()},      {&TDirItem::Class, Dir()},
      {&TFormatItem::Class, Format()},    {&TCompactItem::Class, Compact()},
      {&TVOLItem::Class, Vol()},          {&TRecoverItem::Class, Recover()},
      {&TLabelItem::Class, VolumeLabel()},      {&TMKLinkItem::Class, MKLink()},
      {&TCHKNTFSItem::Class, CheckNTFS()}, {&TConvertItem::Class, Convert()},
  };
}

constinit const TItemFamily kFileSystemFamily{kFileSystemItemClasses, [](const TEnvironmentLookup&) { return FileSystemEditorSpecs(); }};

}  // namespace palvetta
