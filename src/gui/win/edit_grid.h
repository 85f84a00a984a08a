#pragma once
// A report list view turned into an editable table. The cells live here, one string per
// row and column; the list view only shows them. A cell is edited in place: typed into an
// edit control, or picked from a drop-down list laid over the cell.
//
// Editing starts with a click or double-click on a cell, or with F2 or Enter on the
// focused row; the keyboard edits the column last edited or clicked (the first one at the
// start), and Left/Right choose another. In the editor, Enter accepts, Esc cancels and
// leaving it accepts; closing a drop-down accepts its entry, or keeps the old value when
// no entry is chosen.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "gui/layout.h"

namespace palvetta {

class TEditGrid {
 public:
  // Takes over a report list view: adds the columns, grid lines and full-row selection,
  // and the editors as hidden children. The list view must not already have columns.
  TEditGrid(HWND listView, std::vector<TGridColumn> columns);
  ~TEditGrid();
  TEditGrid(const TEditGrid&) = delete;
  TEditGrid& operator=(const TEditGrid&) = delete;

  HWND Handle() const { return FList; }
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }

  // The rows. A new row's cells are empty, but pick-index cells, which hold "0" (the first
  // entry). A cell outside the grid is ignored on writing and reads as "" (or 0).
  void ClearGrid();
  void SetRowCount(int count);
  int GetRowCount() const { return static_cast<int>(FRows.size()); }
  void SetCell(int col, int row, std::string_view value);
  std::string GetCell(int col, int row) const;
  // Pick-index columns only; other columns are ignored on writing and read as 0.
  void SetCellInt(int col, int row, int value);
  int GetCellInt(int col, int row) const;
  // The entries a pick-text column offers; ignored for other columns.
  void SetChoices(int col, TStrings choices);
  // Entries that depend on the row (the operations a row's field allows): asked for each
  // time a cell of the pick-text column is edited, in place of its fixed choices.
  void SetRowChoices(int col, std::function<TStrings(int row)> choices);

  // Starts editing a cell (accepting an edit under way first); ignored outside the grid.
  void EditCell(int col, int row);
  void AcceptEdit() { StopEdit(true, false); }
  void CancelEdit() { StopEdit(false, false); }
  bool IsEditing() const { return FEditing; }
  // The editor shown over the cell being edited; nullptr while nothing is edited.
  HWND Editor() const;
  int FocusedColumn() const { return FFocusColumn; }

  // For the message loop of a dialog holding the grid, before the dialog reads Enter and
  // Esc as OK and Cancel: Enter and Esc in an editor accept and cancel, Enter on the list
  // view starts editing. True when the message was used.
  bool PreTranslate(const MSG& message);

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
  LRESULT HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleEditorKey(WPARAM key);

  bool IsCell(int col, int row) const;
  std::string DefaultValue(int col) const;
  std::string DisplayText(int col, const std::string& value) const;
  void ShowCell(int col, int row);
  const TStrings& PickEntries(int col) const;
  void EditKeyboardCell();
  RECT CellRect(int col, int row) const;
  void OpenTextEditor(const RECT& cell, const std::string& value);
  void OpenPickEditor(const RECT& cell, int col, const std::string& value);
  // Rows as high as the drop-down's closed field in the list view's font, so the field
  // fits its cell without clipping its text; only for grids with drop-downs.
  void FitRowsToPickField();
  // Wide enough for the widest entry's whole text.
  int DroppedWidth(const TStrings& entries) const;
  // Ends the edit under way, once: the editor's own notifications while it is being
  // hidden find it stopping and do nothing. Focus goes back to the list view when the
  // editor had it, unless it is leaving anyway.
  void StopEdit(bool accept, bool focusLeaving);
  // A cell edited from a click; a drop-down it opens remembers the click.
  void EditClickedCell(int col, int row);
  bool IsSecondClickOfOpening() const;

  HWND FList = nullptr;
  HWND FEdit = nullptr;
  HWND FCombo = nullptr;
  std::vector<TGridColumn> FColumns;
  std::vector<TStrings> FChoices;  // per column; pick-text columns only
  std::vector<std::function<TStrings(int row)>> FRowChoices;  // per column, where set
  std::vector<TStrings> FRows;
  int FFocusColumn = 0;
  int FPendingCol = -1;  // the cell clicked, while the button is still down
  int FPendingRow = -1;
  int FEditCol = -1;
  int FEditRow = -1;
  bool FEditing = false;
  bool FStopping = false;
  // The click that opened the drop-down under way: its time and screen point, so that the
  // second click of a double-click, which lands on the field and would close the list
  // again, leaves it open instead.
  struct TOpeningClick {
    LONG Time = 0;
    POINT At = {};
  };
  std::optional<TOpeningClick> FOpeningClick;
  HFONT FFittedFont = nullptr;  // the font the rows were last fitted to
  bool FFittedRows = false;
};

}  // namespace palvetta
