// The dialog of the ROBOCOPY item: its many settings in collapsible category panels.

#include "items/robocopy/robocopy_dialogs.h"

#include <cstdint>
#include <iterator>

#include "items/robocopy/robocopy_item.h"

namespace palvetta {
namespace {

// A button that collapses every category panel, for finding one's way back to the top.
TDialogHook CollapseAllButton(std::string button) {
  return {.Attach = [button](IEditorDialog& dialog) {
    dialog.OnClick(button, [&dialog] { dialog.CollapseAllPanels(); });
  }};
}

// The attributes' captions, in the order of their ordinals.
constexpr const char* kAttributeCaptions[] = {"Read only", "Archive",   "System",
                                              "Hidden",    "Compressed", "Normal",
                                              "Encrypted", "Temporary", "Offline"};
static_assert(std::size(kAttributeCaptions) == kRCFileAttrLetters.size());

// A group of the set's boxes, one per letter it offers.
TLayoutNode AttributeBoxes(const TSetBoxes& set, std::string caption) {
  std::vector<TLayoutNode> boxes;
  for (char letter : set.Letters) {
    boxes.push_back(Check(std::string(set.Prefix) + letter,
                          kAttributeCaptions[set.Ordinals.find(letter)]));
  }
  return GroupBox("grp" + std::string(set.Prefix.substr(3)), std::move(caption), std::move(boxes));
}

// A list box with the field whose text "+" adds, its "..." and the "-" that deletes the
// selected entries.
TLayoutNode EditableList(const std::string& name, std::string caption, const std::string& list,
                         const std::string& field) {
  return GroupBox("grp" + name, std::move(caption),
                  {Row({Stretched(ListBox(list, 4, 30)),
                        Column({Button("btn" + name + "Add", "+"),
                                Button("btn" + name + "Remove", "-")})}),
                   Row({Stretched(Edit(field, 30)),
                        Aligned(Button("btn" + name + "Browse", "..."), TAlign::alCentre)})});
}

TListButtons ListButtons(const std::string& name, std::string list, std::string field,
                         char separator) {
  return {.List = std::move(list),
          .Field = std::move(field),
          .AddButton = "btn" + name + "Add",
          .RemoveButton = "btn" + name + "Remove",
          .Separator = separator};
}

// One of the four age limits: its mode, days and date.
TLayoutNode AgeLimit(const std::string& name, std::string caption) {
  return GroupBox("grp" + name, std::move(caption),
                  {Form({LabelBeside("Mode:", Combo("cmb" + name + "Mode",
                                                    kDaysOrDateModes.DisplayTexts())),
                         LabelBeside("Number of days:", Number("sed" + name + "Days", 8)),
                         LabelBeside("Date:", DatePicker("dtp" + name + "Date"))})});
}

// A check box with the number field it enables beside it.
TLayoutNode CheckWithNumber(std::string box, std::string caption, std::string label,
                            std::string number, int64_t minimum = INT32_MIN,
                            int64_t maximum = INT32_MAX) {
  return Row({Check(std::move(box), std::move(caption)),
              LabelBeside(std::move(label), Number(std::move(number), 8, minimum, maximum))});
}

// A size limit: its box, the number and the "bytes" after it.
TLayoutNode SizeLimit(const std::string& name, std::string caption) {
  return Row({Check("cbxLimit" + name + "FileSize", std::move(caption)),
              Number("sed" + name + "FileSize", 12, 0, INT64_MAX),
              Label("lbl" + name + "FileSizeBytes", "bytes")});
}

TLayoutNode MainPanel() {
  return Panel("pnlMain", "Main",
               {FieldWithBrowse("Source dir:", "edtSrcDir", "btnSrcDir"),
                FieldWithBrowse("Destination dir:", "edtDestDir", "btnDestDir")});
}

TLayoutNode CopyOptionsPanel() {
  return Panel(
      "pnlCopyOptions", "Copy options",
      {Form({LabelBeside("Copy subdirectories:",
                         Combo("cmbRCSubDirMode", kRCSubDirModes.DisplayTexts())),
             LabelBeside("N levels:", Number("sedNLevels", 8, INT32_MIN, INT32_MAX)),
             LabelBeside("Restartable / backup:",
                         Combo("cmbFileCopyMode", kFileCopyModes.DisplayTexts()))}),
       Check("cbxEFSRAW", "Copy all encrypted files in EFS RAW mode (/EFSRAW)"),
       GroupBox("grpCopyFlags", "What to copy for files",
                {Row({Column({Check("cbxD", "Data"), Check("cbxS", "Security"),
                              Check("cbxO", "Owner info")}),
                      Column({Check("cbxA", "Attributes"), Check("cbxT", "Timestamps"),
                              Check("cbxU", "Auditing info")})})}),
       Check("cbxCopyDirTimestamps", "Copy directory timestamps (/DCOPY:T)"),
       Form({LabelBeside("Copy file info:",
                         Combo("cmbCopyFileInfo", kCopyFileInfos.DisplayTexts()))}),
       Check("cbxFixSec", "Fix file security on all files, even skipped files (/SECFIX)"),
       Check("cbxFixTime", "Fix file times on all files, even skipped files (/TIMFIX)"),
       Check("cbxPURGE", "Delete destination files and dirs that no longer exist in source (/PURGE)"),
       Check("cbxMirror", "Mirror a directory tree (/MIR)"),
       Form({LabelBeside("Move files/dirs:", Combo("cmbMoveFiles", kMoveFilesModes.DisplayTexts()))}),
       Row({AttributeBoxes(kAddAttrBoxes, "Add attributes"),
            AttributeBoxes(kClearAttrBoxes, "Clear attributes")}),
       Check("cbxCreateTreeOnly", "Create directory tree and zero-length files only (/CREATE)"),
       Check("cbxFat83", "Create destination files using 8.3 FAT file names only (/FAT)"),
       Check("cbxTurnOff256", "Turn off very long path (> 256 characters) support (/256)"),
       Check("cbxSetRunHours", "Set run hours"),
       Indented(Row({LabelBeside("Start:", TimePicker("tedRunHoursStart")),
                     LabelBeside("End:", TimePicker("tedRunHoursEnd"))})),
       Indented(Check("cbxRunHoursPerFileCheck", "Check run hours on a per file basis (/PF)")),
       Check("cbxCopySymbolicLinks", "Copy symbolic links versus the target (/SL)"),
       Form({LabelBeside("Inter-packet gap (ms):", Number("sedIPG", 8, INT32_MIN, INT32_MAX))}),
       CheckWithNumber("cbxMultiThreaded", "Multi-threaded copies (/MT)", "No of threads:",
                       "sedThreads", 1, 128),
       CheckWithNumber("cbxMonitorChanges", "Monitor source; run again when more than N changes are seen (/MON)",
                       "N:", "sedMonNChanges"),
       CheckWithNumber("cbxMonitorMin", "Monitor source; run again in M minutes time, if changed (/MOT)",
                       "M:", "sedMonMMin")});
}

TLayoutNode FileSelectionPanel() {
  return Panel(
      "pnlFileSelection", "File selection",
      {AttributeBoxes(kInclWithAttrBoxes,
                      "Include only files with any of the given attributes set"),
       AttributeBoxes(kExclWithAttrBoxes, "Exclude files with any of the given attributes set"),
       Check("cbxCopyOnlyArhive", "Copy only files with the archive attribute set (/A)"),
       Check("cbxCopyOnlyArhive_AndReset",
             "Copy only files with the archive attribute and reset it (/M)"),
       EditableList("ExcludeFiles", "Exclude files", "lbxExcludeFiles", "edtExcludeFiles_Path"),
       EditableList("ExcludeDirs", "Exclude folders", "lbxExcludeDirs", "edtExcludeDirs_Path"),
       Check("cbxExcludeChanged", "Exclude changed files (/XC)"),
       Check("cbxExcludeNewer", "Exclude newer files (/XN)"),
       Check("cbxExcludeOlder", "Exclude older files (/XO)"),
       Check("cbxExcludeExtra", "Exclude extra files and directories (/XX)"),
       Check("cbxExcludeLonely", "Exclude lonely files and directories (/XL)"),
       Check("cbxIncludeSame", "Include same files (/IS)"),
       Check("cbxIncludeTweaked", "Include tweaked files (/IT)"),
       SizeLimit("Max", "Exclude files bigger than"),
       SizeLimit("Min", "Exclude files smaller than"),
       AgeLimit("MaxAge", "Exclude files older than n days/date"),
       AgeLimit("MinAge", "Exclude files newer than n days/date"),
       AgeLimit("MaxLAD", "Exclude files unused since"),
       AgeLimit("MinLAD", "Exclude files used since"),
       Check("cbxExcludeJunctionPoints", "Exclude junction points (/XJ)"),
       Check("cbxFATTimes", "Assume FAT file times (2-second granularity) (/FFT)"),
       Check("cbxDST", "Compensate for one-hour DST time differences (/DST)"),
       Check("cbxExcludeJP_Files", "Exclude junction points for files (/XJF)"),
       Check("cbxExcludeJP_Folders", "Exclude junction points for directories (/XJD)")});
}

TLayoutNode RetryOptionsPanel() {
  return Panel("pnlRetryOptions", "Retry options",
               {Row({Check("cbxRetryCount", "Number of retries on failed copies:"),
                     Number("sedRetryCount", 10)}),
                Row({Check("cbxWait", "Wait time between retries:"), Number("sedWait", 10)}),
                Check("cbxSaveRetryWaitToReg", "Save /R:n and /W:n in the registry as default settings (/REG)"),
                Check("cbxTBD", "Wait for share names to be defined (/TBD)")});
}

TLayoutNode LoggingOptionsPanel() {
  return Panel(
      "pnlLoggingOptions", "Logging options",
      {Check("cbxListOnly", "List only - don't copy, timestamp or delete any files (/L)"),
       Check("cbxReportAllExtra", "Report all extra files, not just those selected (/X)"),
       Check("cbxVerbose", "Produce verbose output, showing skipped files (/V)"),
       Check("cbxIncludeSourceTimeStamp", "Include source file time stamps in the output (/TS)"),
       Check("cbxIncludeFullPath", "Include full pathname of files in the output (/FP)"),
       Check("cbxSizeInBytes", "Print sizes as bytes (/BYTES)"),
       Check("cbxNoSize", "Don't log file sizes (/NS)"),
       Check("cbxNoClass", "Don't log file classes (/NC)"),
       Check("cbxNoFileList", "Don't log file names (/NFL)"),
       Check("cbxNoDirList", "Don't log directory names (/NDL)"),
       Check("cbxNoProgress", "No progress - don't display percentage copied (/NP)"),
       Check("cbxETA", "Show estimated time of arrival of copied files (/ETA)"),
       FieldWithBrowse("Output status to LOG file:", "edtLogFileName", "btnLogFileName"),
       Check("cbxOverwriteLog", "Overwrite log file (uncheck to append)"),
       Check("cbxLogUnicode", "Output status to the log file as Unicode (/UNILOG)"),
       Check("cbxLogAndConsole", "Output to console window, as well as the log file (/TEE)"),
       Check("cbxNoJobHeader", "No job header (/NJH)"),
       Check("cbxNoJobSummary", "No job summary (/NJS)"),
       Check("cbxUnicodeStatus", "Output status as Unicode (/UNICODE)")});
}

TLayoutNode JobOptionsPanel() {
  return Panel("pnlJobOptions", "Job options",
               {LabelAbove("Take parameters from the named job file:",
                           Edit("edtLoadParamsFromJobName", 40)),
                LabelAbove("Save parameters to the named job file:", Edit("edtSaveParamsToJobName", 40)),
                Check("cbxQuit", "Quit after processing command line (/QUIT)"),
                Check("cbxNoSD", "No source directory is specified (/NOSD)"),
                Check("cbxNoDD", "No destination directory is specified (/NODD)"),
                EditableList("IF", "Include files", "lbxIF", "edtIncludeFile")});
}

// Default file info copies only what the flags name, so it needs at least one of them.
std::optional<TCheckFailure> CheckCopyFlags(TEditorValues& values) {
  const int info = values.Index("cmbCopyFileInfo");
  if (info > 0) return std::nullopt;
  for (char letter : kCopyFlagBoxes.Letters) {
    if (values.Checked(std::string(kCopyFlagBoxes.Prefix) + letter)) return std::nullopt;
  }
  return TCheckFailure{"Please tick at least one box under \"What to copy for files\"!", "cbxD"};
}

TBrowseButton FolderBrowse(std::string button, std::string field) {
  return {.Button = std::move(button),
          .Field = std::move(field),
          .Kind = TBrowseKind::bkFolder,
          .Title = "Select dir"};
}

TBrowseButton FilesBrowse(std::string button, std::string field) {
  return {.Button = std::move(button), .Field = std::move(field), .Multiple = true};
}

TEditorSpec Robocopy() {
  // Only the main settings show at first; the user's choice is kept afterwards.
  TLayoutNode panels = PanelGroup("pgpCategories",
                                  {MainPanel(), CopyOptionsPanel(), FileSelectionPanel(),
                                   RetryOptionsPanel(), LoggingOptionsPanel(), JobOptionsPanel()},
                                  480);
  CollapseAllPanels(panels);
  panels.Children.front().Collapsed = false;
  return {
      .Title = "Robust file copy",
      .Layout = Dialog({Stretched(panels), Aligned(Button("btnCollapseAll", "Collapse all"),
                                                   TAlign::alStart)}),
      .Browse = {FolderBrowse("btnSrcDir", "edtSrcDir"), FolderBrowse("btnDestDir", "edtDestDir"),
                 {.Button = "btnLogFileName", .Field = "edtLogFileName"},
                 FilesBrowse("btnExcludeFilesBrowse", "edtExcludeFiles_Path"),
                 FolderBrowse("btnExcludeDirsBrowse", "edtExcludeDirs_Path"),
                 FilesBrowse("btnIFBrowse", "edtIncludeFile")},
      .Enabling = {{.CheckBox = "cmbRCSubDirMode",
                    .Controls = {"lblNLevels", "sedNLevels"},
                    .WhenIndex = static_cast<int>(TRCSubDirMode::sdmCopyNSubdirLevels)},
                   {"cbxSetRunHours",
                    {LabelNameFor("tedRunHoursStart"), "tedRunHoursStart",
                     LabelNameFor("tedRunHoursEnd"), "tedRunHoursEnd", "cbxRunHoursPerFileCheck"}},
                   {"cbxMultiThreaded", {"lblThreads", "sedThreads"}},
                   {"cbxLimitMaxFileSize", {"sedMaxFileSize", "lblMaxFileSizeBytes"}},
                   {"cbxLimitMinFileSize", {"sedMinFileSize", "lblMinFileSizeBytes"}},
                   {"cbxMonitorChanges", {"lblMonNChanges", "sedMonNChanges"}},
                   {"cbxMonitorMin", {"lblMonMMin", "sedMonMMin"}},
                   {"cbxRetryCount", {"sedRetryCount"}},
                   {"cbxWait", {"sedWait"}}},
      .ListEditing = {ListButtons("ExcludeFiles", "lbxExcludeFiles", "edtExcludeFiles_Path", ';'),
                      ListButtons("ExcludeDirs", "lbxExcludeDirs", "edtExcludeDirs_Path", 0),
                      ListButtons("IF", "lbxIF", "edtIncludeFile", ';')},
      .Checks = {CheckCopyFlags},
      .Hooks = {CollapseAllButton("btnCollapseAll")}};
}

}  // namespace

std::vector<TItemEditorSpec> RobocopyEditorSpecs() {
  return {{&TRobocopyItem::Class, Robocopy()}};
}

constinit const TItemFamily kRobocopyFamily{kRobocopyItemClasses, [](const TEnvironmentLookup&) { return RobocopyEditorSpecs(); }};

}  // namespace palvetta
