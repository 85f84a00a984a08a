#pragma once
// A list box of text entries, several of them selectable at once; its value is its
// entries, in order.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TListControl : public TDialogControl {
 public:
  TListControl(const TLayoutNode& node, const TControlSite& site);

  void SetEntries(const TStrings& entries);
  TStrings Entries() const;
  // Adds the text as it is, even empty, at the end.
  void Append(std::string_view text);
  void SetSelected(int index, bool selected);
  void DeleteSelected();
  // The selected entries, in list order.
  TStrings SelectedEntries() const;

  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  // Only as high as its whole rows: a row cut at the bottom looks like a missing entry.
  void Place(const TRect& rect, const TPlaceContext& context) override;
};

}  // namespace palvetta
