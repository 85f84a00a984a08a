#include "items/file_system/volume_items.h"

#include "base/utf.h"
#include "items/file_system/volume_text.h"
#include "items/text_helpers.h"
#include "model/command_tables.h"
#include "model/field_table.h"
#include "model/procs.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

// The allocation size and the short-name setting are shown by rules of their own: see
// the item code.
constexpr TField kFormatFields[] = {
    Drive<&TFormatItem::Volume>("Volume", "dcbDrive"),
    Enum<&TFormatItem::FileSystem>("FileSystem", "cmbFileSystem"),
    Text<&TFormatItem::VolLabel>("VolLabel", "edtLabel"),
    Flag<&TFormatItem::QuickFormat>("QuickFormat", "cbxQuickFormat"),
    Flag<&TFormatItem::CompressedByDefault>("CompressedByDefault", "cbxCompressedByDefault"),
    Flag<&TFormatItem::Dismount>("Dismount", "cbxDismount"),
    Enum<&TFormatItem::UDFRevision>("UDFRevision", "cmbUDFRevision"),
    Flag<&TFormatItem::MetadataDup>("MetadataDup", "cbxMetadataDup"),
    Choice<&TFormatItem::AllocUnitSize>("AllocUnitSize", "cmbAllocUnitSize").ByCode(),
    Choice<&TFormatItem::FloppySize>("FloppySize", "cmbFloppySize"),
    Integer<&TFormatItem::Tracks>("Tracks", "sedTracks"),
    Integer<&TFormatItem::SectorsPerTrack>("SectorsPerTrack", "sedSectorsPerTrack"),
    Integer<&TFormatItem::Passes>("Passes", "sedPasses"),
    Text<&TFormatItem::ShortNames>("ShortNames"),
    Control(TFieldKind::fkFlag, "cbxAllocUnitSize"),
    Control(TFieldKind::fkEnumeration, "cmbShortNames"),
};

constexpr TField kVOLFields[] = {
    Drive<&TVOLItem::Volume>("Volume", "dcbDrive"),
};

constexpr TField kLabelFields[] = {
    Drive<&TLabelItem::Drive>("Drive", "dcbDrive"),
    Flag<&TLabelItem::MP>("MP", "cbxMP"),
    Text<&TLabelItem::Volume>("Volume", "edtVolume"),
    Text<&TLabelItem::DriveLabel>("DriveLabel", "edtLabel"),
};

// The short-name settings in the order of the dialog's list, after its default entry.
constexpr std::string_view kShortNameSettings[] = {"enabled", "disabled"};
constexpr std::string_view kShortNameSwitches[] = {" /S:enable", " /S:disable"};

// The index of the setting in the dialog's list: 0 for the default, else 1 + its place.
int ShortNamesIndex(std::string_view stored) {
  const std::string setting = Trim(stored);
  for (size_t i = 0; i < std::size(kShortNameSettings); ++i) {
    if (SameTextIgnoreCase(setting, kShortNameSettings[i])) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string NonZero(std::string_view name, int32_t value) {
  return value == 0 ? std::string() : " " + std::string(name) + IntToStr(value);
}

bool IsLetter(char16_t letter) { return letter < 128 && IsDriveLetter(static_cast<char>(letter)); }

}  // namespace

PALVETTA_DEFINE_CLASS(TFormatItem, TCustomProjectItem, kFormatFields);
PALVETTA_DEFINE_CLASS(TVOLItem, TCustomProjectItem, kVOLFields);
PALVETTA_DEFINE_CLASS(TLabelItem, TCustomProjectItem, kLabelFields);

// FORMAT

std::string TFormatItem::GetHumanReadableText() const {
  return "Format " + (IsLetter(Volume) ? DriveLetterText(Volume) + ":" : "<u>unknown drive</u>") +
         " to " + FileSystemName(FileSystem) + " file system.";
}

std::string TFormatItem::GetBatchText() const {
  const bool udf = FileSystem == TFileSystem::fsUDF;
  std::string text = "FORMAT " + DriveLetterText(Volume) + ": /FS:" + FileSystemName(FileSystem);
  if (const std::string label = QuoteIfSpaced(VolLabel); !label.empty()) text += " /V:" + label;
  if (QuickFormat) text += " /Q";
  if (CompressedByDefault && FileSystem == TFileSystem::fsNTFS) text += " /C";
  if (Dismount) text += " /X";
  if (udf && UDFRevision != TUDFRevision::udfr2_01) text += " /R:" + UDFRevisionName(UDFRevision);
  if (udf && UDFRevision == TUDFRevision::udfr2_50 && MetadataDup) text += " /D";
  if (!IsBlank(AllocUnitSize) && !udf) text += " /A:" + QuoteIfSpaced(AllocUnitSize);
  if (!IsBlank(FloppySize)) text += " /F:" + QuoteIfSpaced(FloppySize);
  text += NonZero("/T:", Tracks) + NonZero("/N:", SectorsPerTrack) + NonZero("/P:", Passes);
  if (const int setting = ShortNamesIndex(ShortNames); setting > 0) {
    text += kShortNameSwitches[setting - 1];
  }
  return text;
}

void TFormatItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxAllocUnitSize", !IsBlank(AllocUnitSize));
  values.SetText("cmbAllocUnitSize", AllocUnitSize);
  values.SetIndex("cmbShortNames", ShortNamesIndex(ShortNames));
}

void TFormatItem::SpecialFromEditor(const TEditorValues& values) {
  AllocUnitSize = values.Checked("cbxAllocUnitSize") ? values.Text("cmbAllocUnitSize") : "";
  const int setting = values.Index("cmbShortNames");
  ShortNames = setting > 0 && setting <= static_cast<int>(std::size(kShortNameSettings))
                   ? std::string(kShortNameSettings[setting - 1])
                   : std::string();
}

// VOL

std::string TVOLItem::GetHumanReadableText() const {
  return "Display the disk volume label and serial number for volume " + DriveLetterText(Volume) +
         ":";
}

std::string TVOLItem::GetBatchText() const { return "VOL " + DriveLetterText(Volume) + ":"; }

// LABEL

std::string TLabelItem::GetHumanReadableText() const {
  std::string text = "Set volume label of";
  if (MP) {
    text += IsBlank(Volume) ? " <u>unknown volume</u>" : " volume " + Volume;
  } else {
    text += " drive " + DriveLetterText(Drive);
  }
  return text + " to " + (IsBlank(DriveLabel) ? "<u>empty string</u>" : '"' + DriveLabel + '"');
}

// LABEL takes the rest of the line as the label, quotes included, so the label is not
// quoted; a caret keeps each of cmd's special characters part of it instead of starting
// a second command or a redirection.
std::string TLabelItem::GetBatchText() const {
  std::string text = "LABEL";
  if (MP) {
    text += " /MP";
    std::string volume = QuoteIfSpaced(Volume);
    if (!volume.empty()) {
      if (Utf8ToUtf16(volume).size() == 1) volume += ':';
      text += " " + volume;
    }
  } else {
    text += " " + DriveLetterText(Drive) + ":";
  }
  return text + " " + EscapeBatchSpecials(DriveLabel);
}

}  // namespace palvetta
