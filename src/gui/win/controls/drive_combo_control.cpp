#include "gui/win/controls/drive_combo_control.h"

#include <windows.h>

#include <algorithm>

#include "base/text.h"

namespace palvetta {
namespace {

struct TDriveEntry {
  std::string Value;
  std::string Text;
};

// The machine's drives as letters ("C"), or the letters no drive uses as roots ("E:\"),
// in letter order.
std::vector<TDriveEntry> MachineDrives(bool freeDrives) {
  const DWORD used = GetLogicalDrives();
  std::vector<TDriveEntry> entries;
  for (int i = 0; i < 26; ++i) {
    const bool inUse = (used >> i) & 1U;
    if (inUse == freeDrives) continue;
    const std::string letter(1, static_cast<char>('A' + i));
    if (freeDrives) {
      entries.push_back({letter + ":\\", letter + ":\\"});
    } else {
      entries.push_back({letter, letter + ":"});
    }
  }
  return entries;
}

}  // namespace

TDriveComboControl::TDriveComboControl(const TLayoutNode& node, const TControlSite& site)
    : TComboControl(node, site), FFreeDrives(node.FreeDrives) {}

void TDriveComboControl::Fill(const TEditorValues& values) {
  if (!values.Has(Name())) return;
  FFilled = values.Text(Name());
  std::vector<TDriveEntry> entries = MachineDrives(FFreeDrives);
  const auto isFilled = [this](const TDriveEntry& entry) { return entry.Value == FFilled; };
  if (!IsBlank(FFilled) && std::none_of(entries.begin(), entries.end(), isFilled)) {
    // A letter goes to its place among the letters; a root in use goes on top.
    TDriveEntry absent{FFilled, FFreeDrives ? FFilled : FFilled + ":" + kAbsentMark};
    const auto at = FFreeDrives ? entries.begin()
                                : std::find_if(entries.begin(), entries.end(),
                                               [this](const TDriveEntry& e) { return e.Value > FFilled; });
    entries.insert(at, std::move(absent));
  }
  TStrings texts;
  FValues.clear();
  int selected = -1;  // none stored: none picked for the user
  for (const TDriveEntry& entry : entries) {
    if (isFilled(entry)) selected = static_cast<int>(FValues.size());
    texts.push_back(entry.Text);
    FValues.push_back(entry.Value);
  }
  SetEntries(texts);
  SetIndex(selected);
}

void TDriveComboControl::Read(TEditorValues& values) const {
  const int index = Index();
  values.SetText(Name(), index >= 0 && index < static_cast<int>(FValues.size())
                             ? FValues[static_cast<size_t>(index)]
                             : FFilled);
}

}  // namespace palvetta
