#pragma once
// ROBOCOPY: one command line from nearly every switch of the command, written in the
// order the command documents them.

#include <cstdint>
#include <string>

#include "base/text.h"
#include "model/class_info.h"
#include "model/command_tables.h"
#include "model/custom_project_item.h"
#include "model/properties.h"
#include "model/set_boxes.h"

namespace palvetta {

PALVETTA_ENUM(TRCSubDirMode, sdmDoNotCopySubdir, sdmCopySubdirNoEmpty, sdmCopySubdirWithEmpty,
              sdmCopyNSubdirLevels);
PALVETTA_ENUM(TFileCopyMode, fcmDefault, fcmRestartable, fcmBackup, fcmRestartableBackip);
// What /COPY: copies of a file: data, attributes, timestamps, security, owner, auditing.
PALVETTA_ENUM(TCopyFlag, cfD, cfA, cfT, cfS, cfO, cfU);
PALVETTA_ENUM(TCopyFileInfo, cfiDefault, cfiSEC, cfiALL, cfiNO);
PALVETTA_ENUM(TMoveFiles, mfNo, mfFiles, mfDirs);
// Read-only, archive, system, hidden, compressed, normal, encrypted, temporary, offline.
PALVETTA_ENUM(TRCFileAttr, attrR, attrA, attrS, attrH, attrC, attrN, attrE, attrT, attrO);
PALVETTA_ENUM(TDaysOrDate, dodNo, dodDays, dodDate);

// Sets of TCopyFlag and TRCFileAttr hold bit i for ordinal i; the bit of one value.
template <class E>
constexpr uint32_t MemberOf(E value) {
  return uint32_t{1} << static_cast<unsigned>(value);
}

class TRobocopyItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS

  std::string SrcDir;
  std::string DestDir;
  TStrings FileList;  // names or patterns after the two folders; only saved, no control
  TRCSubDirMode RCSubDirMode = TRCSubDirMode::sdmDoNotCopySubdir;
  int32_t CopyNLevels = 0;
  TFileCopyMode FileCopyMode = TFileCopyMode::fcmDefault;
  bool EFSRAW = false;
  uint32_t CopyFlags = MemberOf(TCopyFlag::cfD) | MemberOf(TCopyFlag::cfA) | MemberOf(TCopyFlag::cfT);
  bool CopyDirTimestamps = false;
  TCopyFileInfo CopyFileInfo = TCopyFileInfo::cfiDefault;
  bool FixSec = false;
  bool FixTime = false;
  bool Purge = false;
  bool Mirror = false;
  TMoveFiles MoveFiles = TMoveFiles::mfNo;
  uint32_t AddAttrs = 0;    // of TRCFileAttr
  uint32_t ClearAttrs = 0;  // of TRCFileAttr
  bool CreateTreeOnly = false;
  bool Fat83 = false;
  bool TurnOff256 = false;
  bool MonitorChanges = false;
  int32_t MonNChanges = 0;
  bool MonitorMin = false;
  int32_t MonMMin = 0;  // minutes
  bool SetRunHours = false;
  double RunHoursStart = 0;  // time of day
  double RunHoursEnd = 0;    // time of day
  bool RunHoursPerFileCheck = false;
  int32_t IPG = 0;  // milliseconds
  bool CopySymbolicLinks = false;
  bool MultiThreaded = false;
  int32_t Threads = 1;
  bool CopyOnlyArhive = false;
  bool CopyOnlyArhive_AndReset = false;
  uint32_t InclWithAttr = 0;  // of TRCFileAttr
  uint32_t ExclWithAttr = 0;  // of TRCFileAttr
  TStrings ExcludeFiles;
  TStrings ExcludeDirs;
  bool ExcludeChanged = false;
  bool ExcludeNewer = false;
  bool ExcludeOlder = false;
  bool ExcludeExtra = false;
  bool ExcludeLonely = false;
  bool IncludeSame = false;
  bool IncludeTweaked = false;
  bool LimitMaxFileSize = false;
  bool LimitMinFileSize = false;
  int64_t MaxFileSize = 0;  // bytes
  int64_t MinFileSize = 0;  // bytes
  TDaysOrDate MaxAgeMode = TDaysOrDate::dodNo;
  TDaysOrDate MinAgeMode = TDaysOrDate::dodNo;
  int32_t MaxAgeDays = 0;
  int32_t MinAgeDays = 0;
  double MaxAgeDate = 0;
  double MinAgeDate = 0;
  TDaysOrDate MaxLADMode = TDaysOrDate::dodNo;
  TDaysOrDate MinLADMode = TDaysOrDate::dodNo;
  int32_t MaxLadDays = 0;
  int32_t MinLadDays = 0;
  double MaxLadDate = 0;
  double MinLadDate = 0;
  bool ExcludeJunctionPoints = false;
  bool FATTimes = false;
  bool DST = false;
  bool ExcludeJP_Files = false;
  bool ExcludeJP_Folders = false;
  int32_t RetryCount = 0;
  int32_t Wait = 0;  // seconds
  bool SetRetryCount = false;
  bool SetWait = false;
  bool SaveRetryWaitToReg = false;
  bool TBD = false;
  bool ListOnly = false;
  bool ReportAllExtra = false;
  bool Verbose = false;
  bool IncludeSourceTimeStamp = false;
  bool IncludeFullPath = false;
  bool SizeInBytes = false;
  bool NoSize = false;
  bool NoClass = false;
  bool NoFileList = false;
  bool NoDirList = false;
  bool noProgress = false;
  bool ETA = false;
  std::string LogFileName;
  bool OverwriteLog = false;
  bool LogUnicode = false;
  bool LogAndConsole = false;
  bool NoJobHeader = false;
  bool NoJobSummary = false;
  bool UnicodeStatus = false;
  std::string LoadParamsFromJobName;
  std::string SaveParamsToJobName;
  bool Quit = false;
  bool NoSD = false;
  bool NoDD = false;
  TStrings InclFiles;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// The letters of TCopyFlag's and TRCFileAttr's values, in the order of their ordinals.
inline constexpr std::string_view kCopyFlagLetters = "DATSOU";
inline constexpr std::string_view kRCFileAttrLetters = "RASHCNETO";

// The sets' boxes in the dialog. Offline can be asked for in a file but not added or
// cleared by the dialog.
inline constexpr TSetBoxes kCopyFlagBoxes{"cbx", kCopyFlagLetters, kCopyFlagLetters};
inline constexpr TSetBoxes kAddAttrBoxes{"cbxAddAttrs", "RASHCNET", kRCFileAttrLetters};
inline constexpr TSetBoxes kClearAttrBoxes{"cbxClearAttrs", "RASHCNET", kRCFileAttrLetters};
inline constexpr TSetBoxes kInclWithAttrBoxes{"cbxIncludeWithAttr", kRCFileAttrLetters,
                                              kRCFileAttrLetters};
inline constexpr TSetBoxes kExclWithAttrBoxes{"cbxExclWithAttr", kRCFileAttrLetters,
                                              kRCFileAttrLetters};

// What the dialog's lists offer for the item's enumerations, and the switches they write.
extern const TEnumTable<TRCSubDirMode> kRCSubDirModes;
extern const TEnumTable<TFileCopyMode> kFileCopyModes;
extern const TEnumTable<TCopyFileInfo> kCopyFileInfos;
extern const TEnumTable<TMoveFiles> kMoveFilesModes;
extern const TEnumTable<TDaysOrDate> kDaysOrDateModes;

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kRobocopyItemClasses[] = {&TRobocopyItem::Class};

}  // namespace palvetta
