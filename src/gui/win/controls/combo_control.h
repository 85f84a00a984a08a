#pragma once
// A drop-down list. A pick-only list's value is the index of its entry; in a typed combo
// the user types the value and the entries are suggestions.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TComboControl : public TDialogControl, public IIndexedControl {
 public:
  TComboControl(const TLayoutNode& node, const TControlSite& site);

  // A typed combo keeps its text; a list keeps nothing selected.
  void SetEntries(const TStrings& entries);
  TStrings Entries() const;
  // Runs no handler.
  void SetIndex(int index) override;
  int Index() const override;

  // Choices come first, so that an index or text refers to the new entries; without any,
  // the description's entries stay.
  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  // The window height of a combo includes its drop-down list; the field itself takes the
  // height of its item, set to fill the layout's rectangle.
  void Place(const TRect& rect, const TPlaceContext& context) override;

 private:
  void AddEntries(const TStrings& entries) const;

  bool FTyped;
  int FDropDownLines;  // entries visible when dropped
};

}  // namespace palvetta
