#pragma once
// A pick-only list of the machine's drives ("C:"), whose value is the drive letter; or,
// for a node with FreeDrives, of the roots of the letters no drive uses ("E:\"), whose
// value is the root. A project made on another machine may name a drive this one lacks:
// the list then offers that drive too, marked, and selects it, so that confirming the
// dialog keeps the drive instead of silently picking one of this machine. With nothing
// stored, nothing is selected, so confirming picks no drive for the user either.

#include <string>
#include <vector>

#include "gui/win/controls/combo_control.h"

namespace palvetta {

class TDriveComboControl : public TComboControl {
 public:
  TDriveComboControl(const TLayoutNode& node, const TControlSite& site);

  // Lists the drives anew, with the field's value among them, and selects it.
  void Fill(const TEditorValues& values) override;
  // The selected drive; with none selected, the value the field was filled with.
  void Read(TEditorValues& values) const override;

  // The text that marks a drive this machine does not have.
  static constexpr const char* kAbsentMark = " (not on this machine)";

 private:
  bool FFreeDrives;
  std::vector<std::string> FValues;  // the value of each entry, in list order
  std::string FFilled;
};

}  // namespace palvetta
