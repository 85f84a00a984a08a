#include "items/file_system/check_items.h"

#include "items/file_and_folder/path_argument.h"
#include "items/file_system/volume_text.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/command_tables.h"
#include "model/field_table.h"
#include "model/procs.h"

namespace palvetta {

namespace {

using namespace fields;

// The mode of each item is a group of radio buttons, one per value: see the item code.
constexpr std::string_view kCHKDSKModeButtons[] = {"rbCheckDisk", "rbCheckFile"};
constexpr std::string_view kCHKNTFSModeButtons[] = {"rbDisplayStatus", "rbRestoreDefaults",
                                                    "rbTimer",         "rbShowTimer",
                                                    "rbExclude",       "rbSchedule"};

// The log size is offered as 65536 while none is stored: see the item code.
constexpr TField kCHKDSKFields[] = {
    Enum<&TCHKDSKItem::CHKDSKMode>("CHKDSKMode"),
    Drive<&TCHKDSKItem::Drive>("Drive", "dcbDrive"),
    Text<&TCHKDSKItem::FileName>("FileName", "edtFileName"),
    Flag<&TCHKDSKItem::FixErrors>("FixErrors", "cbxFixErrors"),
    Flag<&TCHKDSKItem::ShowFileNames>("ShowFileNames", "cbxShowFileNames"),
    Flag<&TCHKDSKItem::LocateBadSectors>("LocateBadSectors", "cbxLocateBadSectors"),
    Flag<&TCHKDSKItem::ChangLogFileSize>("ChangLogFileSize", "cbxChangeLogFileSize"),
    Integer<&TCHKDSKItem::LogFileSize>("LogFileSize", "sedLogFileSize").ByCode(),
    Flag<&TCHKDSKItem::ForceDismount>("ForceDismount", "cbxForceDismount"),
    Flag<&TCHKDSKItem::LessIndexCheck>("LessIndexCheck", "cbxLessIndexCheck"),
    Flag<&TCHKDSKItem::SkipCycles>("SkipCycles", "cbxSkipCycles"),
    Flag<&TCHKDSKItem::ReEvaluateBadClusters>("ReEvaluateBadClusters", "cbxReEvaluateBadClusters"),
    Control(TFieldKind::fkRadio, kCHKDSKModeButtons[0]),
    Control(TFieldKind::fkRadio, kCHKDSKModeButtons[1]),
};

constexpr TField kCHKNTFSFields[] = {
    Text<&TCHKNTFSItem::Volume>("Volume", "edtVolume"),
    Integer<&TCHKNTFSItem::Timer>("Timer", "sedTimer"),
    Enum<&TCHKNTFSItem::CHKNTFSMode>("CHKNTFSMode"),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[0]),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[1]),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[2]),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[3]),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[4]),
    Control(TFieldKind::fkRadio, kCHKNTFSModeButtons[5]),
};

constexpr TField kConvertFields[] = {
    Text<&TConvertItem::Volume>("Volume", "edtVolume"),
    Flag<&TConvertItem::Verbose>("Verbose", "cbxVerbose"),
    Text<&TConvertItem::CVTArea>("CVTArea", "edtCvtArea"),
    Flag<&TConvertItem::NoSecurity>("NoSecurity", "cbxNoSecurity"),
    Flag<&TConvertItem::Dismount>("Dismount", "cbxDismount"),
};

constexpr TField kRecoverFields[] = {
    Text<&TRecoverItem::Path>("Path", "edtPAth"),
};

constexpr TSwitch<TCHKDSKItem> kCHKDSKRepairSwitches[] = {
    {&TCHKDSKItem::FixErrors, " /F"},
    {&TCHKDSKItem::ShowFileNames, " /V"},
    {&TCHKDSKItem::LocateBadSectors, " /R"},
};
constexpr TSwitch<TCHKDSKItem> kCHKDSKNTFSSwitches[] = {
    {&TCHKDSKItem::ForceDismount, " /X"},
    {&TCHKDSKItem::LessIndexCheck, " /I"},
    {&TCHKDSKItem::SkipCycles, " /C"},
    {&TCHKDSKItem::ReEvaluateBadClusters, " /B"},
};
constexpr TSwitch<TConvertItem> kConvertSecuritySwitches[] = {
    {&TConvertItem::NoSecurity, " /NoSecurity"},
    {&TConvertItem::Dismount, " /X"},
};

// The log size the dialog offers while none is stored.
constexpr int32_t kDefaultLogFileSize = 65536;

}  // namespace

PALVETTA_DEFINE_CLASS(TCHKDSKItem, TCustomProjectItem, kCHKDSKFields);
PALVETTA_DEFINE_CLASS(TCHKNTFSItem, TCustomProjectItem, kCHKNTFSFields);
PALVETTA_DEFINE_CLASS(TConvertItem, TCustomProjectItem, kConvertFields);
PALVETTA_DEFINE_CLASS(TRecoverItem, TCustomProjectItem, kRecoverFields);

// CHKDSK

std::string TCHKDSKItem::GetHumanReadableText() const {
  if (CHKDSKMode == TCHKDSKMode::cdmFile) {
    return IsBlank(FileName) ? "Check <u>unknown file</u> for fragmentation"
                             : "Check file " + FileName + " for fragmentation";
  }
  return Drive < 128 && IsDriveLetter(static_cast<char>(Drive))
             ? "Check drive " + DriveLetterText(Drive)
             : "Check <u>unknown</u> drive";
}

std::string TCHKDSKItem::GetBatchText() const {
  std::string text = "CHKDSK ";
  text += CHKDSKMode == TCHKDSKMode::cdmFile ? PathArgument(FileName) : DriveLetterText(Drive) + ":";
  text += SwitchesOf(*this, kCHKDSKRepairSwitches);
  if (ChangLogFileSize && LogFileSize > 0) text += " /L:" + IntToStr(LogFileSize);
  return text + SwitchesOf(*this, kCHKDSKNTFSSwitches);
}

void TCHKDSKItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kCHKDSKModeButtons, CHKDSKMode);
  values.SetIndex("sedLogFileSize", LogFileSize < 1 ? kDefaultLogFileSize : LogFileSize);
}

void TCHKDSKItem::SpecialFromEditor(const TEditorValues& values) {
  CHKDSKMode = values.Checked(kCHKDSKModeButtons[0]) ? TCHKDSKMode::cdmDrive : TCHKDSKMode::cdmFile;
  // The size field is in use only with its box; the offered size is not stored otherwise.
  if (values.Checked("cbxChangeLogFileSize")) LogFileSize = values.Index("sedLogFileSize");
}

// CHKNTFS

std::string TCHKNTFSItem::GetHumanReadableText() const {
  const std::string volume = IsBlank(Volume) ? "<u>unknown volume</u>" : Trim(Volume);
  const std::string time =
      Timer == 0 ? "<u>unknown number of seconds</u>" : IntToStr(Timer) + " seconds";
  switch (CHKNTFSMode) {
    case TCHKNTFSMode::cmDisplayStatus:
      return "Check NTFS disk: display if " + volume +
             " is dirty or scheduled to be checked on next reboot";
    case TCHKNTFSMode::cmRestoreDefaults:
      return "Check NTFS disk: restore defaults, cancel all changes";
    case TCHKNTFSMode::cmTimer:
      return "Check NTFS disk: Change the AUTOCHK initiation countdown time to " + time;
    case TCHKNTFSMode::cmShowTimer:
      return "Check NTFS disk: Show current AUTOCHK countdown timer";
    case TCHKNTFSMode::cmExclude:
      return "Check NTFS disk: Exclude " + volume + " from the default boot-time check";
    case TCHKNTFSMode::cmSchedule:
      return "Check NTFS disk: Schedule " + volume + " to be checked at boot time";
  }
  return "Check NTFS disk";
}

std::string TCHKNTFSItem::GetBatchText() const {
  const std::string volume = VolumeArgument(Volume);
  switch (CHKNTFSMode) {
    case TCHKNTFSMode::cmDisplayStatus:
      return "CHKNTFS " + volume;
    case TCHKNTFSMode::cmRestoreDefaults:
      return "CHKNTFS /D";
    case TCHKNTFSMode::cmTimer:
      return "CHKNTFS /T:" + IntToStr(Timer);
    case TCHKNTFSMode::cmShowTimer:
      return "CHKNTFS /T";
    case TCHKNTFSMode::cmExclude:
      return "CHKNTFS /X " + volume;
    case TCHKNTFSMode::cmSchedule:
      return "CHKNTFS /C " + volume;
  }
  return "CHKNTFS";
}

void TCHKNTFSItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kCHKNTFSModeButtons, CHKNTFSMode);
}

void TCHKNTFSItem::SpecialFromEditor(const TEditorValues& values) {
  CHKNTFSMode = RadiosFromEditor(values, kCHKNTFSModeButtons, CHKNTFSMode);
}

// CONVERT

std::string TConvertItem::GetHumanReadableText() const {
  return "Convert  " + (IsBlank(Volume) ? std::string("<u>unknown FAT volume</u>")
                                        : "FAT volume " + Volume) +
         " to NTFS.";
}

std::string TConvertItem::GetBatchText() const {
  std::string text = "CONVERT " + VolumeArgument(Volume) + " /FS:NTFS";
  if (Verbose) text += " /V";
  if (!IsBlank(CVTArea)) text += " /CvtArea:" + PathArgument(CVTArea);
  return text + SwitchesOf(*this, kConvertSecuritySwitches);
}

// RECOVER

std::string TRecoverItem::GetHumanReadableText() const {
  return "Recover readable information from " +
         (IsBlank(Path) ? std::string(" <u>unknown</u> file") : " file " + Path) +
         " on a bad or defective disk";
}

std::string TRecoverItem::GetBatchText() const { return "RECOVER " + PathArgument(Path); }

}  // namespace palvetta
