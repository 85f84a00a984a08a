#include "items/robocopy/robocopy_item.h"

#include "items/text_helpers.h"
#include "model/command_dates.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

using TRC = TRobocopyItem;

namespace {

using namespace fields;

// The persisted order, which is not the order of the command line. The retry and wait
// boxes follow a rule of their own (see SpecialToEditor); the copy flags and the
// attributes are one box each.
constexpr auto kRobocopyFields = JoinFields(
    Text<&TRC::SrcDir>("SrcDir", "edtSrcDir"),
    Text<&TRC::DestDir>("DestDir", "edtDestDir"),
    Strings<&TRC::FileList>("FileList"),
    Enum<&TRC::RCSubDirMode>("RCSubDirMode", "cmbRCSubDirMode"),
    Integer<&TRC::CopyNLevels>("CopyNLevels", "sedNLevels"),
    Enum<&TRC::FileCopyMode>("FileCopyMode", "cmbFileCopyMode"),
    Flag<&TRC::EFSRAW>("EFSRAW", "cbxEFSRAW"),
    SetWithBoxes<&TRC::CopyFlags, TCopyFlag, kCopyFlagBoxes>("CopyFlags"),
    Flag<&TRC::CopyDirTimestamps>("CopyDirTimestamps", "cbxCopyDirTimestamps"),
    Enum<&TRC::CopyFileInfo>("CopyFileInfo", "cmbCopyFileInfo"),
    Flag<&TRC::FixSec>("FixSec", "cbxFixSec"),
    Flag<&TRC::FixTime>("FixTime", "cbxFixTime"),
    Flag<&TRC::Purge>("Purge", "cbxPURGE"),
    Flag<&TRC::Mirror>("Mirror", "cbxMirror"),
    Enum<&TRC::MoveFiles>("MoveFiles", "cmbMoveFiles"),
    SetWithBoxes<&TRC::AddAttrs, TRCFileAttr, kAddAttrBoxes>("AddAttrs"),
    SetWithBoxes<&TRC::ClearAttrs, TRCFileAttr, kClearAttrBoxes>("ClearAttrs"),
    Flag<&TRC::CreateTreeOnly>("CreateTreeOnly", "cbxCreateTreeOnly"),
    Flag<&TRC::Fat83>("Fat83", "cbxFat83"),
    Flag<&TRC::TurnOff256>("TurnOff256", "cbxTurnOff256"),
    Flag<&TRC::MonitorChanges>("MonitorChanges", "cbxMonitorChanges"),
    Integer<&TRC::MonNChanges>("MonNChanges", "sedMonNChanges"),
    Flag<&TRC::MonitorMin>("MonitorMin", "cbxMonitorMin"),
    Integer<&TRC::MonMMin>("MonMMin", "sedMonMMin"),
    Flag<&TRC::SetRunHours>("SetRunHours", "cbxSetRunHours"),
    Time<&TRC::RunHoursStart>("RunHoursStart", "tedRunHoursStart"),
    Time<&TRC::RunHoursEnd>("RunHoursEnd", "tedRunHoursEnd"),
    Flag<&TRC::RunHoursPerFileCheck>("RunHoursPerFileCheck", "cbxRunHoursPerFileCheck"),
    Integer<&TRC::IPG>("IPG", "sedIPG"),
    Flag<&TRC::CopySymbolicLinks>("CopySymbolicLinks", "cbxCopySymbolicLinks"),
    Flag<&TRC::MultiThreaded>("MultiThreaded", "cbxMultiThreaded"),
    Integer<&TRC::Threads>("Threads", "sedThreads"),
    Flag<&TRC::CopyOnlyArhive>("CopyOnlyArhive", "cbxCopyOnlyArhive"),
    Flag<&TRC::CopyOnlyArhive_AndReset>("CopyOnlyArhive_AndReset", "cbxCopyOnlyArhive_AndReset"),
    SetWithBoxes<&TRC::InclWithAttr, TRCFileAttr, kInclWithAttrBoxes>("InclWithAttr"),
    SetWithBoxes<&TRC::ExclWithAttr, TRCFileAttr, kExclWithAttrBoxes>("ExclWithAttr"),
    EntryList<&TRC::ExcludeFiles>("ExcludeFiles", "lbxExcludeFiles"),
    EntryList<&TRC::ExcludeDirs>("ExcludeDirs", "lbxExcludeDirs"),
    Flag<&TRC::ExcludeChanged>("ExcludeChanged", "cbxExcludeChanged"),
    Flag<&TRC::ExcludeNewer>("ExcludeNewer", "cbxExcludeNewer"),
    Flag<&TRC::ExcludeOlder>("ExcludeOlder", "cbxExcludeOlder"),
    Flag<&TRC::ExcludeExtra>("ExcludeExtra", "cbxExcludeExtra"),
    Flag<&TRC::ExcludeLonely>("ExcludeLonely", "cbxExcludeLonely"),
    Flag<&TRC::IncludeSame>("IncludeSame", "cbxIncludeSame"),
    Flag<&TRC::IncludeTweaked>("IncludeTweaked", "cbxIncludeTweaked"),
    Flag<&TRC::LimitMaxFileSize>("LimitMaxFileSize", "cbxLimitMaxFileSize"),
    Flag<&TRC::LimitMinFileSize>("LimitMinFileSize", "cbxLimitMinFileSize"),
    LargeInteger<&TRC::MaxFileSize>("MaxFileSize", "sedMaxFileSize"),
    LargeInteger<&TRC::MinFileSize>("MinFileSize", "sedMinFileSize"),
    Enum<&TRC::MaxAgeMode>("MaxAgeMode", "cmbMaxAgeMode"),
    Enum<&TRC::MinAgeMode>("MinAgeMode", "cmbMinAgeMode"),
    Integer<&TRC::MaxAgeDays>("MaxAgeDays", "sedMaxAgeDays"),
    Integer<&TRC::MinAgeDays>("MinAgeDays", "sedMinAgeDays"),
    DateTime<&TRC::MaxAgeDate>("MaxAgeDate", "dtpMaxAgeDate"),
    DateTime<&TRC::MinAgeDate>("MinAgeDate", "dtpMinAgeDate"),
    Enum<&TRC::MaxLADMode>("MaxLADMode", "cmbMaxLADMode"),
    Enum<&TRC::MinLADMode>("MinLADMode", "cmbMinLADMode"),
    Integer<&TRC::MaxLadDays>("MaxLadDays", "sedMaxLADDays"),
    Integer<&TRC::MinLadDays>("MinLadDays", "sedMinLADDays"),
    DateTime<&TRC::MaxLadDate>("MaxLadDate", "dtpMaxLADDate"),
    DateTime<&TRC::MinLadDate>("MinLadDate", "dtpMinLADDate"),
    Flag<&TRC::ExcludeJunctionPoints>("ExcludeJunctionPoints", "cbxExcludeJunctionPoints"),
    Flag<&TRC::FATTimes>("FATTimes", "cbxFATTimes"),
    Flag<&TRC::DST>("DST", "cbxDST"),
    Flag<&TRC::ExcludeJP_Files>("ExcludeJP_Files", "cbxExcludeJP_Files"),
    Flag<&TRC::ExcludeJP_Folders>("ExcludeJP_Folders", "cbxExcludeJP_Folders"),
    Integer<&TRC::RetryCount>("RetryCount", "sedRetryCount").ByCode(),
    Integer<&TRC::Wait>("Wait", "sedWait").ByCode(),
    Flag<&TRC::SetRetryCount>("SetRetryCount", "cbxRetryCount").ByCode(),
    Flag<&TRC::SetWait>("SetWait", "cbxWait").ByCode(),
    Flag<&TRC::SaveRetryWaitToReg>("SaveRetryWaitToReg", "cbxSaveRetryWaitToReg"),
    Flag<&TRC::TBD>("TBD", "cbxTBD"),
    Flag<&TRC::ListOnly>("ListOnly", "cbxListOnly"),
    Flag<&TRC::ReportAllExtra>("ReportAllExtra", "cbxReportAllExtra"),
    Flag<&TRC::Verbose>("Verbose", "cbxVerbose"),
    Flag<&TRC::IncludeSourceTimeStamp>("IncludeSourceTimeStamp", "cbxIncludeSourceTimeStamp"),
    Flag<&TRC::IncludeFullPath>("IncludeFullPath", "cbxIncludeFullPath"),
    Flag<&TRC::SizeInBytes>("SizeInBytes", "cbxSizeInBytes"),
    Flag<&TRC::NoSize>("NoSize", "cbxNoSize"),
    Flag<&TRC::NoClass>("NoClass", "cbxNoClass"),
    Flag<&TRC::NoFileList>("NoFileList", "cbxNoFileList"),
    Flag<&TRC::NoDirList>("NoDirList", "cbxNoDirList"),
    Flag<&TRC::noProgress>("noProgress", "cbxNoProgress"),
    Flag<&TRC::ETA>("ETA", "cbxETA"),
    Text<&TRC::LogFileName>("LogFileName", "edtLogFileName"),
    Flag<&TRC::OverwriteLog>("OverwriteLog", "cbxOverwriteLog"),
    Flag<&TRC::LogUnicode>("LogUnicode", "cbxLogUnicode"),
    Flag<&TRC::LogAndConsole>("LogAndConsole", "cbxLogAndConsole"),
    Flag<&TRC::NoJobHeader>("NoJobHeader", "cbxNoJobHeader"),
    Flag<&TRC::NoJobSummary>("NoJobSummary", "cbxNoJobSummary"),
    Flag<&TRC::UnicodeStatus>("UnicodeStatus", "cbxUnicodeStatus"),
    Text<&TRC::LoadParamsFromJobName>("LoadParamsFromJobName", "edtLoadParamsFromJobName"),
    Text<&TRC::SaveParamsToJobName>("SaveParamsToJobName", "edtSaveParamsToJobName"),
    Flag<&TRC::Quit>("Quit", "cbxQuit"),
    Flag<&TRC::NoSD>("NoSD", "cbxNoSD"),
    Flag<&TRC::NoDD>("NoDD", "cbxNoDD"),
    EntryList<&TRC::InclFiles>("InclFiles", "lbxIF"));

// Switch tables, one per group of flags that stand together on the command line.
constexpr TSwitch<TRC> kEfsRawSwitch[] = {{&TRC::EFSRAW, " /EFSRAW"}};
constexpr TSwitch<TRC> kDirTimestampSwitch[] = {{&TRC::CopyDirTimestamps, " /DCOPY:T"}};
constexpr TSwitch<TRC> kFixSwitches[] = {
    {&TRC::FixSec, " /SECFIX"}, {&TRC::FixTime, " /TIMFIX"}, {&TRC::Purge, " /PURGE"},
    {&TRC::Mirror, " /MIR"}};
constexpr TSwitch<TRC> kTreeSwitches[] = {
    {&TRC::CreateTreeOnly, " /CREATE"}, {&TRC::Fat83, " /FAT"}, {&TRC::TurnOff256, " /256"}};
constexpr TSwitch<TRC> kSymbolicLinkSwitch[] = {{&TRC::CopySymbolicLinks, " /SL"}};
constexpr TSwitch<TRC> kArchiveSwitches[] = {
    {&TRC::CopyOnlyArhive, " /A"}, {&TRC::CopyOnlyArhive_AndReset, " /M"}};
constexpr TSwitch<TRC> kSelectionSwitches[] = {
    {&TRC::ExcludeChanged, " /XC"}, {&TRC::ExcludeNewer, " /XN"},  {&TRC::ExcludeOlder, " /XO"},
    {&TRC::ExcludeExtra, " /XX"},   {&TRC::ExcludeLonely, " /XL"}, {&TRC::IncludeSame, " /IS"},
    {&TRC::IncludeTweaked, " /IT"}};
constexpr TSwitch<TRC> kJunctionSwitches[] = {
    {&TRC::ExcludeJunctionPoints, " /XJ"}, {&TRC::FATTimes, " /FFT"}, {&TRC::DST, " /DST"},
    {&TRC::ExcludeJP_Files, " /XJF"}, {&TRC::ExcludeJP_Folders, " /XJD"}};
constexpr TSwitch<TRC> kRetrySettingSwitches[] = {
    {&TRC::SaveRetryWaitToReg, " /REG"}, {&TRC::TBD, " /TBD"}};
constexpr TSwitch<TRC> kLoggingSwitches[] = {
    {&TRC::ListOnly, " /L"},          {&TRC::ReportAllExtra, " /X"},
    {&TRC::Verbose, " /V"},           {&TRC::IncludeSourceTimeStamp, " /TS"},
    {&TRC::IncludeFullPath, " /FP"},  {&TRC::SizeInBytes, " /BYTES"},
    {&TRC::NoSize, " /NS"},           {&TRC::NoClass, " /NC"},
    {&TRC::NoFileList, " /NFL"},      {&TRC::NoDirList, " /NDL"},
    {&TRC::noProgress, " /NP"},       {&TRC::ETA, " /ETA"}};
constexpr TSwitch<TRC> kLogOutputSwitches[] = {
    {&TRC::LogAndConsole, " /TEE"}, {&TRC::NoJobHeader, " /NJH"},
    {&TRC::NoJobSummary, " /NJS"},  {&TRC::UnicodeStatus, " /UNICODE"}};
constexpr TSwitch<TRC> kJobSwitches[] = {
    {&TRC::Quit, " /QUIT"}, {&TRC::NoSD, " /NOSD"}, {&TRC::NoDD, " /NODD"}};

std::string MemberLetters(uint32_t members, std::string_view letters) {
  std::string text;
  for (size_t i = 0; i < letters.size(); ++i) {
    if ((members >> i) & 1U) text += letters[i];
  }
  return text;
}

// A switch and its value, left out when the value is empty: "/A+:" alone would make
// ROBOCOPY refuse the whole command.
std::string ValuedSwitch(std::string_view name, const std::string& value) {
  return value.empty() ? std::string() : " " + std::string(name) + value;
}

std::string AttributeSwitch(std::string_view name, uint32_t members) {
  return ValuedSwitch(name, MemberLetters(members, kRCFileAttrLetters));
}

// A list switch and its entries, each prepared by the list's own quoting.
std::string ListSwitch(std::string_view name, const TStrings& entries,
                       std::string (*prepare)(std::string_view)) {
  if (entries.empty()) return {};
  std::string text = " " + std::string(name);
  for (const std::string& entry : entries) text += " " + prepare(entry);
  return text;
}

// The file-age and last-access limits: each by a number of days or by a date.
struct TAgeSwitch {
  TDaysOrDate TRC::*Mode;
  int32_t TRC::*Days;
  double TRC::*Date;
  std::string_view Name;
};
constexpr TAgeSwitch kAgeSwitches[] = {
    {&TRC::MaxAgeMode, &TRC::MaxAgeDays, &TRC::MaxAgeDate, "/MAXAGE:"},
    {&TRC::MinAgeMode, &TRC::MinAgeDays, &TRC::MinAgeDate, "/MINAGE:"},
    {&TRC::MaxLADMode, &TRC::MaxLadDays, &TRC::MaxLadDate, "/MAXLAD:"},
    {&TRC::MinLADMode, &TRC::MinLadDays, &TRC::MinLadDate, "/MINLAD:"},
};

std::string AgeSwitches(const TRC& item) {
  std::string text;
  for (const TAgeSwitch& age : kAgeSwitches) {
    switch (item.*age.Mode) {
      case TDaysOrDate::dodDays:
        text += " " + std::string(age.Name) + IntToStr(item.*age.Days);
        break;
      case TDaysOrDate::dodDate:
        text += " " + std::string(age.Name) + CompactDate(item.*age.Date);
        break;
      case TDaysOrDate::dodNo:
        break;
    }
  }
  return text;
}

// A count asked for by its box, or one above 0 (as older files hold it without the box).
std::string CountSwitch(std::string_view name, bool set, int32_t count) {
  return (set && count >= 0) || count > 0 ? " " + std::string(name) + IntToStr(count)
                                          : std::string();
}

std::string NumberSwitch(bool on, std::string_view name, long long value) {
  return on ? " " + std::string(name) + IntToStr(value) : std::string();
}

std::string CopyFlagsSwitch(uint32_t flags) {
  const std::string letters = MemberLetters(flags, kCopyFlagLetters);
  return letters == "DAT" ? std::string() : ValuedSwitch("/COPY:", letters);
}

std::string LogSwitch(const TRC& item) {
  if (IsBlank(item.LogFileName)) return {};
  return std::string(item.LogUnicode ? " /UNILOG" : " /LOG") + (item.OverwriteLog ? "" : "+") +
         ":" + QuoteIfSpaced(item.LogFileName);
}

// A job name (a file name without its extension), but only when there is one.
std::string JobSwitch(std::string_view name, const std::string& job) {
  return IsBlank(job) ? std::string() : " " + std::string(name) + QuoteIfSpaced(job);
}

}  // namespace

PALVETTA_DEFINE_CLASS(TRobocopyItem, TCustomProjectItem, kRobocopyFields);

const TEnumTable<TRCSubDirMode> kRCSubDirModes({{
    {"", "Do not copy subdirectories"},
    {" /S", "Copy subdirectories, but not empty ones"},
    {" /E", "Copy subdirectories, including empty ones"},
    {" /LEV:", "Only copy the top N levels of the source directory tree"},
}});
const TEnumTable<TFileCopyMode> kFileCopyModes({{
    {"", "Default"},
    {" /Z", "Copy files in restartable mode"},
    {" /B", "Copy files in Backup mode"},
    {" /ZB", "Use restartable mode; if access denied use Backup mode"},
}});
const TEnumTable<TCopyFileInfo> kCopyFileInfos({{
    {"", "Default"},
    {" /SEC", "Copy files with security"},
    {" /COPYALL", "Copy all file info"},
    {" /NOCOPY", "Copy no file info"},
}});
const TEnumTable<TMoveFiles> kMoveFilesModes({{
    {"", "Do not move"},
    {" /MOV", "Move files (delete from source after copying)"},
    {" /MOVE", "Move files AND dirs (delete from source after copying)"},
}});
// The age switches' texts depend on the limit (see kAgeSwitches).
const TEnumTable<TDaysOrDate> kDaysOrDateModes({{
    {"", "Do not exclude"},
    {"", "Days"},
    {"", "Date"},
}});

std::string TRobocopyItem::GetHumanReadableText() const {
  return "Robust copy files from " + OrPlaceholder(SrcDir, "<u>unknown dir</u>") + " to " +
         OrPlaceholder(DestDir, "<u>unknown dir</u>");
}

std::string TRobocopyItem::GetBatchText() const {
  std::string text = "ROBOCOPY " + NormalizeQuotedPath(SrcDir) + " " + NormalizeQuotedPath(DestDir);
  for (const std::string& name : FileList) text += " " + QuoteIfSpaced(name);
  text += kRCSubDirModes.Command(RCSubDirMode);
  if (RCSubDirMode == TRCSubDirMode::sdmCopyNSubdirLevels) text += IntToStr(CopyNLevels);
  text += kFileCopyModes.Command(FileCopyMode);
  text += SwitchesOf(*this, kEfsRawSwitch);
  text += CopyFlagsSwitch(CopyFlags);
  text += SwitchesOf(*this, kDirTimestampSwitch);
  text += kCopyFileInfos.Command(CopyFileInfo);
  text += SwitchesOf(*this, kFixSwitches);
  text += kMoveFilesModes.Command(MoveFiles);
  text += AttributeSwitch("/A+:", AddAttrs) + AttributeSwitch("/A-:", ClearAttrs);
  text += SwitchesOf(*this, kTreeSwitches);
  text += NumberSwitch(MonitorChanges, "/MON:", MonNChanges);
  text += NumberSwitch(MonitorMin, "/MOT:", MonMMin);
  if (SetRunHours) {
    text += " /RH:" + CompactTime(RunHoursStart) + "-" + CompactTime(RunHoursEnd);
    if (RunHoursPerFileCheck) text += " /PF";
  }
  text += NumberSwitch(IPG > 0, "/IPG:", IPG);
  text += SwitchesOf(*this, kSymbolicLinkSwitch);
  text += NumberSwitch(MultiThreaded, "/MT:", Threads);
  text += SwitchesOf(*this, kArchiveSwitches);
  text += AttributeSwitch("/IA:", InclWithAttr) + AttributeSwitch("/XA:", ExclWithAttr);
  text += ListSwitch("/XF", ExcludeFiles, QuoteIfSpaced);
  text += ListSwitch("/XD", ExcludeDirs, NormalizeQuotedPath);
  text += SwitchesOf(*this, kSelectionSwitches);
  text += NumberSwitch(LimitMinFileSize, "/MIN:", MinFileSize);
  text += NumberSwitch(LimitMaxFileSize, "/MAX:", MaxFileSize);
  text += AgeSwitches(*this);
  text += SwitchesOf(*this, kJunctionSwitches);
  text += CountSwitch("/R:", SetRetryCount, RetryCount);
  text += CountSwitch("/W:", SetWait, Wait);
  text += SwitchesOf(*this, kRetrySettingSwitches);
  text += SwitchesOf(*this, kLoggingSwitches);
  text += LogSwitch(*this);
  text += SwitchesOf(*this, kLogOutputSwitches);
  text += JobSwitch("/SAVE:", SaveParamsToJobName) + JobSwitch("/JOB:", LoadParamsFromJobName);
  text += SwitchesOf(*this, kJobSwitches);
  text += ListSwitch("/IF", InclFiles, QuoteIfSpaced);
  return text;
}

// A retry count or wait time shows its box checked when asked for or above 0 (older
// files hold one without the box); without the box none is asked for, so 0.
void TRobocopyItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxRetryCount", SetRetryCount || RetryCount > 0);
  values.SetIndex("sedRetryCount", RetryCount);
  values.SetChecked("cbxWait", SetWait || Wait > 0);
  values.SetIndex("sedWait", Wait);
}

void TRobocopyItem::SpecialFromEditor(const TEditorValues& values) {
  SetRetryCount = values.Checked("cbxRetryCount");
  RetryCount = SetRetryCount ? values.Index("sedRetryCount") : 0;
  SetWait = values.Checked("cbxWait");
  Wait = SetWait ? values.Index("sedWait") : 0;
  // A member the dialog has no box for (offline, for adding and clearing) goes too.
  AddAttrs &= ShownMembers(kAddAttrBoxes);
  ClearAttrs &= ShownMembers(kClearAttrBoxes);
}

}  // namespace palvetta
