#pragma once
// A grid: a report list view edited in place by a TEditGrid; its value is its rows, its
// index the selected row.

#include <memory>

#include "gui/win/controls/dialog_control.h"
#include "gui/win/edit_grid.h"

namespace palvetta {

class TGridControl : public TDialogControl, public IIndexedControl {
 public:
  // A grid shows at least this many rows, empty below the given ones, and as many as it is
  // given beyond that; Rows gives back every row it shows, in order. A grid with a fixed
  // column shows only the rows it is given: its rows come from its buttons, and an empty
  // row there could never be filled in.
  static constexpr int kMinRows = 100;

  TGridControl(const TLayoutNode& node, const TControlSite& site);

  TEditGrid& Grid() const { return *FGrid; }
  void SetRows(const TGridRows& rows);
  TGridRows Rows() const;
  void SetIndex(int index) override;
  int Index() const override;

  // The grid's choices go to its pick-text columns.
  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  // The columns share the width, less the scroll bar's.
  void Place(const TRect& rect, const TPlaceContext& context) override;
  bool PreTranslate(const MSG& message) override { return FGrid->PreTranslate(message); }
  void EndEdit(bool accept) override;

 private:
  std::unique_ptr<TEditGrid> FGrid;
  int FMinRows;
};

}  // namespace palvetta
