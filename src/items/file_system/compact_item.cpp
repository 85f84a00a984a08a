#include "items/file_system/compact_item.h"

#include <algorithm>

#include "items/file_and_folder/path_argument.h"
#include "items/radio_groups.h"
#include "model/command_tables.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr std::string_view kModeButtons[] = {"rbCompress", "rbUnCompress"};
// The file grid offers at least this many rows, so there is room to type new entries.
constexpr size_t kMinimumFileRows = 20;

// The mode's radio buttons and the file grid are filled by the item code.
constexpr TField kCompactFields[] = {
    Strings<&TCompactItem::Files>("Files"),
    Enum<&TCompactItem::CompactMode>("CompactMode"),
    Text<&TCompactItem::InFolderAndSubfolders>("InFolderAndSubfolders", "edtFolderWithSubfolders"),
    Flag<&TCompactItem::HiddenAndSystem>("HiddenAndSystem", "cbxHiddenAndSystem"),
    Flag<&TCompactItem::IgnoreErrors>("IgnoreErrors", "cbxIgnoreErrors"),
    Flag<&TCompactItem::CompressCompressed>("CompressCompressed", "cbxCompressCompressed"),
    Flag<&TCompactItem::Quiet>("Quiet", "cbxQuiet"),
    Control(TFieldKind::fkGrid, "vstFiles"),
    Control(TFieldKind::fkRadio, kModeButtons[0]),
    Control(TFieldKind::fkRadio, kModeButtons[1]),
};

constexpr TSwitch<TCompactItem> kCompactSwitches[] = {
    {&TCompactItem::HiddenAndSystem, " /A"},
    {&TCompactItem::IgnoreErrors, " /I"},
    {&TCompactItem::CompressCompressed, " /F"},
    {&TCompactItem::Quiet, " /Q"},
};

}  // namespace

PALVETTA_DEFINE_CLASS(TCompactItem, TCustomProjectItem, kCompactFields);

std::string TCompactItem::GetHumanReadableText() const {
  std::string text = CompactMode == TCompactMode::cmCompress ? "Compress " : "Uncompress ";
  if (!IsBlank(InFolderAndSubfolders)) {
    return text + "files in folder " + InFolderAndSubfolders + " and subfolders";
  }
  return text + (Files.empty() ? "<u>unknown files</u> " : "list of files ");
}

std::string TCompactItem::GetBatchText() const {
  std::string text = CompactMode == TCompactMode::cmCompress ? "COMPACT /C" : "COMPACT /U";
  if (!IsBlank(InFolderAndSubfolders)) text += " /S:" + PathArgument(InFolderAndSubfolders);
  text += SwitchesOf(*this, kCompactSwitches);
  for (const std::string& file : Files) {
    if (!IsBlank(file)) text += " " + PathArgument(file);
  }
  return text;
}

void TCompactItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kModeButtons, CompactMode);
  TGridRows rows(std::max(kMinimumFileRows, Files.size()), TStrings{""});
  for (size_t i = 0; i < Files.size(); ++i) rows[i][0] = Files[i];
  values.SetRows("vstFiles", std::move(rows));
}

void TCompactItem::SpecialFromEditor(const TEditorValues& values) {
  CompactMode = values.Checked(kModeButtons[0]) ? TCompactMode::cmCompress : TCompactMode::cmUncompress;
  Files.clear();
  for (const TStrings& row : values.Rows("vstFiles")) {
    if (!row.empty() && !IsBlank(row[0])) Files.push_back(Trim(row[0]));
  }
}

}  // namespace palvetta
