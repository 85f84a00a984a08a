#pragma once
// The project list: an owner-data list view with one row per project item, in project
// order. Rows are not stored; each paint asks for the item's image and texts, so the
// list can never show a stale copy of the project.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/item_registry.h"
#include "model/project.h"

namespace palvetta {

class TProjectListView {
 public:
  enum TColumn { colImage, colCommand, colCheck, colRedirect };

  // Multi-select, full-row select, grid lines; the columns "", "Command", "Check",
  // "Redirect".
  void Create(HWND parent, int id);
  HWND Handle() const { return FHandle; }
  void SetImages(HIMAGELIST images);
  // The project and registry the rows come from; both must outlive their use here.
  void SetSource(const TProject* project, const TItemClassRegistry* registry);

  // The row count follows the project again and every row is repainted.
  void Rebuild();
  void RedrawRow(int row);
  // The command column takes what the other columns leave.
  void FitColumns();
  // After a change of font: every column at least as wide as its caption, then
  // FitColumns.
  void FitCaptions();

  std::vector<int> SelectedRows() const;
  std::optional<int> FirstSelected() const;
  std::optional<int> FocusedRow() const;
  // Selects only this row, focuses it and scrolls it into view.
  void SelectOnly(int row);
  void SelectRows(const std::vector<int>& rows);

  // The row under a point in client coordinates, and whether the point is in the upper
  // half of it (a drop there goes above the row).
  std::optional<int> RowAt(POINT client, bool& upperHalf) const;

  // The texts a row shows, as painted.
  std::string CellText(int row, TColumn column) const;
  int RowImage(int row) const;

  // LVN_GETDISPINFO; true when handled.
  bool HandleNotify(const NMHDR& header, LRESULT& result);

 private:
  HWND FHandle = nullptr;
  const TProject* FProject = nullptr;
  const TItemClassRegistry* FRegistry = nullptr;
  std::wstring FText;  // stays alive until the list view has copied it
  std::array<int, 4> FLeastWidths = {};  // by column
};

}  // namespace palvetta
