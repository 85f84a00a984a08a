#pragma once
// A grid of fixed rows, each left out, set or not set: the rows' captions in the first
// column and a drawn check box for each state in the other two. A click on a state's box
// toggles it, and a state that becomes checked clears the other, so a row is never both.
// Disabled, it draws its boxes greyed. Its value is each row's state, in the row's field.

#include <vector>

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TThreeStateGridControl : public TDialogControl {
 public:
  // The states, as the ordinals of the rows' fields.
  static constexpr int kLeftOut = 0;
  static constexpr int kSet = 1;
  static constexpr int kNotSet = 2;

  TThreeStateGridControl(const TLayoutNode& node, const TControlSite& site);
  ~TThreeStateGridControl() override;

  int RowCount() const { return static_cast<int>(FStates.size()); }
  int State(int row) const { return FStates.at(static_cast<size_t>(row)); }
  // Column 1 toggles "set", column 2 "not set"; column 0 does nothing.
  void Click(int row, int column);
  // A cell of a state row (row 0 is the first row below the header), in client pixels.
  RECT CellRect(int row, int column) const;
  // The right edges of the three columns, in client pixels.
  std::vector<int> ColumnEdges() const;

  // A field holding no state (or one out of range) leaves its row as it is.
  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  void Place(const TRect& rect, const TPlaceContext& context) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  void Paint(HDC dc) const;
  void HitAt(int x, int y);

  TStrings FColumns;
  std::vector<TThreeStateRow> FRows;
  std::vector<int> FStates;
  int FRowHeight = 20;
  int FDpi = 96;
};

}  // namespace palvetta
