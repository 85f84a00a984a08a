#include "app/catalogue.h"

#include <iterator>
#include <stdexcept>
#include <string>

#include "model/custom_project_item.h"

namespace palvetta {
namespace {

using enum TCommandLevel;

constexpr TCatalogueCategory kHandWrittenCategories[] = {
    {"Files", 7, 16},
    {"Directories", 8, 4},
    {"Control of flow", 13, 19},
    {"System", 19, 15},
    {"Console", 21, 13},
    {"File System", 26, 12},
    {"Service Control", 67, 8},
    {"Access Control Lists (ACLs)", 55, 8},
    {"Task scheduler", 45, 6},
    {"Network", 30, 5},
    {"Archive (7Zip)", 33, 2},
    {"Misc", 34, 5},
};

// The entries of every category in turn, in palette order.
constexpr TCatalogueEntry kHandWrittenEntries[] = {
    // Files
    {"TCopyItem", "Copy files", "COPY", clBasic, 1, 1001,
     "Copies one or more files to another location."},
    {"TDeleteItem", "Delete files", "DELETE", clBasic, 2, 1002, "Delete one or more files."},
    {"TMoveFilesItem", "Move file(s)", "MOVE", clBasic, 3, 1003, "Move files to the new location."},
    {"TRenameFileItem", "Rename file", "RENAME", clBasic, 4, 1004, "Rename file."},
    {"TReplaceItem", "Replace files", "REPLACE", clBasic, 5, 1005, "Replace files."},
    {"TAttribItem", "Set file attributes", "ATTRIB", clBasic, 6, 1006,
     "Displays or changes file attributes."},
    {"TFindItem", "Simple search for a string", "FIND", clBasic, 72, 1007,
     "Search for a text string in a file or files."},
    {"TFindStrItem", "Extended search for a string", "FINDSTR", clBasic, 70, 1008,
     "Search for a text string in a file or files."},
    {"TPrintItem", "Print a text file", "PRINT", clBasic, 71, 1009, "Print a text file."},
    {"TVerifyItem", "File write verification", "VERIFY", clBasic, 76, 1010,
     "File write verification."},
    {"TCompItem", "Compare two files (simple)", "COMP", clBasic, 73, 1011,
     "Compare two files (sets of files) - simple."},
    {"TFCItem", "Compare two files (extended)", "FC", clAdvanced, 74, 1012,
     "Compare two files (sets of files) - extended."},
    {"TRobocopyItem", "Robust copy files", "ROBOCOPY", clAdvanced, 77, 1013,
     "Robust File Copy for Windows."},
    {"TXCopyItem", "Copy files and directory trees", "XCOPY", clAdvanced, 78, 1014,
     "Copy files and directory trees."},
    {"TSORTItem", "Sort lines in a file or standard input", "SORT", clAdvanced, 75, 1015,
     "Sort lines in a file or standard input."},
    {"TWriteToFileItem", "Write text/variable to file", "ECHO", clBasic, 121, 1016,
     "Write text/variable to file."},
    // Directories
    {"TMakeDirItem", "Create a directory", "MKDIR, MD", clBasic, 9, 1017, "Create a directory."},
    {"TRenameDirItem", "Rename directory", "REN", clBasic, 10, 1018, "Rename directory."},
    {"TDeleteDirItem", "Delete directory", "DEL", clBasic, 11, 1019, "Delete directory."},
    {"TChangeDirItem", "Change current directory", "CD", clBasic, 12, 1020,
     "Displays the name of or changes the current directory."},
    // Control of flow
    {"TGotoLabelItem", "Bookmark", "", clAdvanced, 14, 1021, "Marks a place to go to."},
    {"TGotoItem", "Go to bookmark", "", clAdvanced, 39, 1022, "Go to previously marked place."},
    {"TIfItem", "IF condition", "IF", clAdvanced, 15, 1023, "Performs conditional processing."},
    {"TElseItem", "ELSE condition", "ELSE", clAdvanced, 16, 1024,
     "What to do when IF condition is FALSE."},
    {"TIfEndItem", "End of IF (End of ELSE)", "", clAdvanced, 17, 1025, "End of IF block."},
    {"TExitItem", "Exit", "", clAdvanced, 18, 1026, "Quit the current batch."},
    {"TRunProgramItem", "Launch another program", "", clAdvanced, 79, 1027,
     "Launch another program."},
    {"TSubroutineItem", "Subroutine", "", clAdvanced, 80, 1028, "Marks start of a subroutine."},
    {"TSubroutineEndItem", "Subroutine end", "", clAdvanced, 81, 1029,
     "Marks end of a subroutine."},
    {"TSubroutineDispatcherItem", "Subroutine dispatcher", "", clAdvanced, 82, 1030,
     "Check variable value and call a subroutine."},
    {"TPushdItem", "Store the current dir", "PUSHD", clAdvanced, 84, 1031,
     "Store the current directory for later use, then change to the specified directory."},
    {"TPopdItem", "Restore saved current dir", "POPD", clAdvanced, 83, 1032,
     "Switch back to the saved current directory."},
    {"TSetLocalItem", "Start local env changes", "SETLOCAL", clAdvanced, 86, 1033,
     "Begin localization of environment changes in a batch file."},
    {"TEndLocalItem", "End local env changes", "ENDLOCAL", clAdvanced, 85, 1034,
     "Ends localization of environment changes in a batch file."},
    {"TStartItem", "Run program in a new window", "START", clAdvanced, 89, 1035,
     "Run program in a new window."},
    {"TCMDItem", "Start command interpreter", "CMD", clAdvanced, 88, 1036,
     "Start a new instance of the Windows command interpreter"},
    {"TCallItem", "Call external batch file", "CALL", clAdvanced, 87, 1037,
     "Call external batch file"},
    {"TFOREachLineInFile", "FOR each line in file", "FOR", clAdvanced, 123, 1038,
     "Do something for each line in the file"},
    {"TFOREndItem", "End of FOR", "FOR", clAdvanced, 122, 1039, "End of FOR"},
    // System
    {"TPathItem", "Set exe search path", "PATH", clBasic, 20, 1040,
     "Display or set a search path for executable files."},
    {"TShutdownItem", "Shutdown", "SHUTDOWN", clAdvanced, 90, 1041, "Shutdown the PC."},
    {"TOpenExtItem", "Associate extension", "ASSOC,FTYPE", clAdvanced, 91, 1042,
     "Associate one or more file name extensions with an executable."},
    {"TSystemInfoItem", "Display OS information", "SYSTEMINFO", clAdmin, 92, 1043,
     "Display operating system configuration information for a local or remote machine."},
    {"TTaskListItem", "Display a list of currently running processes", "TASKLIST", clAdmin, 94,
     1044, "Display a list of currently running processes on either a local or remote machine."},
    {"TTaskKillItem", "Terminate tasks", "TASKKILL", clAdmin, 93, 1045,
     "Terminate tasks by process id (PID) or image name."},
    {"TDisplayCurrentDateAndTimeItem", "Display current date and time", "DATE,TIME", clBasic, 96,
     1046, "Display current date and time."},
    {"TSetTimeItem", "Set current system time", "TIME", clAdvanced, 97, 1047,
     "Set current system time."},
    {"TSetDateItem", "Set current system date", "DATE", clAdvanced, 95, 1048,
     "Set current system date."},
    {"TCOMModeItem", "Configure COM port", "MODE COM", clAdmin, 98, 1049, "Configure COM port."},
    {"TOpenFilesQueryItem", "Display remotely opened files/folders", "OPENFILES", clAdmin, 99, 1050,
     "Display remotely opened files/folders."},
    {"TOpenFilesDisconnectItem", "Disconnect remotely files and folders", "OPENFILES", clAdmin, 100,
     1051, "Disconnect remotely files and folders"},
    {"TOpenFilesLocalItem", "Enable/disable tracking of local file handlers", "OPENFILES", clAdmin,
     101, 1052, "Disconnect remotely files and folders"},
    {"TDriverQueryItem", "Display a list of installed device drivers", "DRIVERQUERY", clAdmin, 102,
     1053, "Display a list of installed device drivers"},
    {"TGPResultItem", "Display the Resultant Set of Policy (RSoP)", "GPRESULT", clAdmin, 120, 1054,
     "Display the Resultant Set of Policy (RSoP)"},
    // Console
    {"TECHOItem", "Display a message", "ECHO", clBasic, 22, 1055, "Display a message."},
    {"TAskUserItem", "Ask user", "", clBasic, 44, 1056, "Ask user."},
    {"TUserChoiceItem", "User choice", "", clBasic, 104, 1057, "Ask to select an option."},
    {"TECHOControlItem", "Enable/disable output", "ECHO", clBasic, 23, 1058,
     "Enable/disable output."},
    {"TClearScreenItem", "Clear screen", "CLS", clBasic, 24, 1059, "Clear screen."},
    {"TColorItem", "Set color", "COLOR", clBasic, 25, 1060,
     "Sets the default console foreground and background colors."},
    {"TPressAnyKeyItem", "Press any key...", "PAUSE", clBasic, 103, 1061,
     "Press any key to continue..."},
    {"TPromptItem", "Change command prompt", "PROMPT", clBasic, 105, 1062,
     "Change the cmd.exe command prompt"},
    {"TTypeItem", "Display a text file", "TYPE", clBasic, 106, 1063,
     "Displays the contents of a text file or files"},
    {"TVerItem", "Display Windows version", "VER", clBasic, 107, 1064, "Display Windows version"},
    {"TTitleItem", "Set window title", "TITLE", clBasic, 108, 1065,
     "Set the window title for the command prompt window."},
    {"TCHCPItem", "Change code page", "CHCP", clAdvanced, 109, 1066, "Change code page."},
    {"TGraphTablItem", "Display extended character set in graphics mode", "GRAPHTABL", clAdvanced,
     110, 1067, "Enable Windows to display an extended character set in graphics mode"},
    // File System
    {"TTreeItem", "Display folder structure", "TREE", clBasic, 27, 1068,
     "Graphically displays the folder structure of a drive or path."},
    {"TDirItem", "Display a list of files and subdirectories in a directory", "DIR", clBasic, 28,
     1069, "Display a list of files and subdirectories in a directory"},
    {"TSubstItem", "Associate a path with a drive letter", "SUBST", clAdvanced, 29, 1070,
     "Associates a path with a drive letter"},
    {"TCHKDSKItem", "Check disk", "CHKDSK", clAdmin, 111, 1071,
     "Check a disk and displays a status report."},
    {"TCHKNTFSItem", "Check NTFS volume", "CHKNTFS", clAdmin, 112, 1072,
     "Displays or modifies the checking of disk at boot time."},
    {"TFormatItem", "Format volume", "FORMAT", clAdmin, 113, 1073,
     "Format a disk for use with Windows."},
    {"TCompactItem", "Compress files", "COMPACT", clAdmin, 119, 1074,
     "Display or alter the compression of files on NTFS partitions."},
    {"TVOLItem", "Display volume info", "VOL", clAdvanced, 118, 1075,
     "Displays the disk volume label and serial number, if they exist."},
    {"TRecoverItem", "Recover damaged file", "RECOVER", clAdvanced, 117, 1076,
     "Recover readable information from a bad or defective disk."},
    {"TLabelItem", "Create volume label", "LABEL", clAdvanced, 116, 1077,
     "Create, change, or delete the volume label of a disk."},
    {"TMKLinkItem", "Create a symbolic link", "MKLINK", clAdvanced, 115, 1078,
     "Create a symbolic link."},
    {"TConvertItem", "Convert FAT to NTFS", "CONVERT", clAdvanced, 114, 1079,
     "Convert a FAT volume to NTFS."},
    // Service Control
    {"TSCQueryItem", "Query the status for a service", "SC", clAdmin, 66, 1080,
     "Query the status for a service."},
    {"TSCStartItem", "Start a service", "SC", clAdmin, 68, 1081, "Start a service"},
    {"TSCPauseItem", "Pause a service", "SC", clAdmin, 65, 1082, "Pause a service"},
    {"TSCStopItem", "Stop a service", "SC", clAdmin, 69, 1083, "Stop a service"},
    {"TSCContinueItem", "Continue paused service", "SC", clAdmin, 61, 1084,
     "Continue paused service"},
    {"TSCInterrogateItem", "Interrogate a service", "SC", clAdmin, 64, 1085,
     "Interrogate a service"},
    {"TSCCreateItem", "Create a new service", "SC", clAdmin, 62, 1086, "Create a new service"},
    {"TSCDeleteItem", "Delete a service", "SC", clAdmin, 63, 1087, "Delete a service"},
    // Access Control Lists (ACLs)
    {"TICACLSGrantItem", "Grant permissions", "ICACLS", clAdmin, 54, 1088, "Grant permissions"},
    {"TICACLSDenyItem", "Deny permissions", "ICACLS", clAdmin, 53, 1089, "Deny permissions"},
    {"TICACLSRemoveItem", "Remove grants/denies", "ICACLS", clAdmin, 57, 1090,
     "Remove grants/denies"},
    {"TICACLSResetItem", "Replace ACLs with default inherited ACLs", "ICACLS", clAdmin, 58, 1091,
     "Replace ACLs with default inherited ACLs"},
    {"TICACLSVerifyItem", "Find incorrect ACLs", "ICACLS", clAdmin, 60, 1092,
     "Find incorrect ACLs"},
    {"TICACLSSaveItem", "Backup DACLs", "ICACLS", clAdmin, 52, 1093, "Backup DACLs"},
    {"TICACLSRestoreItem", "Restore DACLs", "ICACLS", clAdmin, 59, 1094, "Restore DACLs"},
    {"TICACLSSetIntegrityLevelItem", "Add an integrity ACE", "ICACLS", clAdmin, 56, 1095,
     "Explicitly add an integrity ACE"},
    // Task scheduler
    {"TSCHTASKSCreateItem", "Create task", "SCHTASKS", clAdmin, 46, 1096,
     "Create scheduled tasks on a local or remote system"},
    {"TSCHTASKSRunItem", "Run task", "SCHTASKS", clAdmin, 51, 1097, "Run scheduled task"},
    {"TSCHTASKSEndItem", "End task", "SCHTASKS", clAdmin, 49, 1098, "End running scheduled task"},
    {"TSCHTASKSDeleteItem", "Delete task", "SCHTASKS", clAdmin, 48, 1099, "Delete scheduled task"},
    {"TSCHTASKSChangeItem", "Change task", "SCHTASKS", clAdmin, 47, 1100, "Change scheduled task"},
    {"TSCHTASKSQueryItem", "Query tasks", "SCHTASKS", clAdmin, 50, 1101, "Query scheduled tasks"},
    // Network
    {"TPingItem", "Ping", "PING", clAdvanced, 31, 1102, "Ping the specified host."},
    {"TFTPUploadItem", "Upload a file via FTP", "FTP", clAdvanced, 38, 1103,
     "Upload a file via FTP."},
    {"TDownloadFileItem", "Download a file", "", clAdvanced, 38, 1104, "Download a file from URL."},
    {"TIPConfigItem", "Display/modify TCP/IP settings", "IPCONFIG", clAdvanced, 125, 1113,
     "Display/modify TCP/IP settings."},
    {"TNetStatItem", "Display protocol statistics and current TCP/IP network connections",
     "NETSTAT", clAdvanced, 126, 1105,
     "Display protocol statistics and current TCP/IP network connections"},
    // Archive (7Zip)
    {"TSevenZipCreateItem", "Create archive", "7ZIP", clAdvanced, 32, 1106, "Create zip archive."},
    {"TSevenZipExtractItem", "Extract files", "7ZIP", clAdvanced, 32, 1107,
     "Extract files from zip archive."},
    // Misc
    {"TREMItem", "Comment", "REM", clBasic, 35, 1108, "Just a comment."},
    {"TParamItem", "Parameter", "", clBasic, 36, 1109, "Batch file parameter."},
    {"TSetVarValItem", "Set variable value", "SET", clBasic, 37, 1110, "Set variable value."},
    {"TVariableItem", "Declare a variable", "", clBasic, 37, 1111,
     "Declare a variable for future use."},
    {"TCheckParamsItem", "Check batch file parameters", "", clBasic, 40, 1112,
     "Set variable value."},
};
#include "catalogue_table.inc"

// Scratch proof: the generated table equals the hand-written one, field by field.
constexpr bool SameTables() {
  if (std::size(kCategories) != std::size(kHandWrittenCategories)) return false;
  for (size_t i = 0; i < std::size(kCategories); ++i) {
    const auto& a = kCategories[i];
    const auto& b = kHandWrittenCategories[i];
    if (a.Title != b.Title || a.ImageIndex != b.ImageIndex || a.EntryCount != b.EntryCount) return false;
  }
  if (std::size(kEntries) != std::size(kHandWrittenEntries)) return false;
  for (size_t i = 0; i < std::size(kEntries); ++i) {
    const auto& a = kEntries[i];
    const auto& b = kHandWrittenEntries[i];
    if (a.ClassName != b.ClassName || a.Title != b.Title || a.Command != b.Command ||
        a.Level != b.Level || a.ImageIndex != b.ImageIndex || a.HelpId != b.HelpId ||
        a.ShortDescr != b.ShortDescr) {
      return false;
    }
  }
  return true;
}
static_assert(SameTables());

constexpr int TotalEntryCount() {
  int total = 0;
  for (const TCatalogueCategory& category : kCategories) total += category.EntryCount;
  return total;
}
static_assert(TotalEntryCount() == static_cast<int>(std::size(kEntries)));

}  // namespace

std::span<const TCatalogueCategory> CatalogueCategories() { return kCategories; }

std::span<const TCatalogueEntry> CatalogueEntries() { return kEntries; }

std::span<const TCatalogueEntry> CatalogueEntriesOf(int categoryIndex) {
  if (categoryIndex < 0 || categoryIndex >= static_cast<int>(std::size(kCategories))) {
    throw std::out_of_range("Argument out of range: category " + std::to_string(categoryIndex));
  }
  size_t first = 0;
  for (int i = 0; i < categoryIndex; ++i) first += static_cast<size_t>(kCategories[i].EntryCount);
  return CatalogueEntries().subspan(first,
                                    static_cast<size_t>(kCategories[categoryIndex].EntryCount));
}

const TClass* ResolveCatalogueEntry(const TCatalogueEntry& entry, const TClassRegistry& known) {
  const TClass* cls = known.Find(entry.ClassName);
  // The palette makes items of the class, so an abstract or foreign class cannot serve.
  if (cls == nullptr || cls->Create == nullptr || !cls->InheritsFrom(TCustomProjectItem::Class)) {
    return nullptr;
  }
  return cls;
}

void RegisterCatalogue(TItemClassRegistry& registry, const TClassRegistry& known) {
  for (int c = 0; c < static_cast<int>(std::size(kCategories)); ++c) {
    const TCatalogueCategory& source = kCategories[c];
    TCategory& category = registry.Add(std::string(source.Title), source.ImageIndex);
    for (const TCatalogueEntry& entry : CatalogueEntriesOf(c)) {
      const TClass* cls = ResolveCatalogueEntry(entry, known);
      if (cls == nullptr) continue;
      category.Add(*cls, std::string(entry.Title), std::string(entry.ShortDescr), entry.ImageIndex,
                   std::string(entry.Command), entry.Level);
    }
  }
}

std::vector<const TCatalogueEntry*> UnresolvedCatalogueEntries(const TClassRegistry& known) {
  std::vector<const TCatalogueEntry*> unresolved;
  for (const TCatalogueEntry& entry : kEntries) {
    if (ResolveCatalogueEntry(entry, known) == nullptr) unresolved.push_back(&entry);
  }
  return unresolved;
}

}  // namespace palvetta
