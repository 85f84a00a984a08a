#include "gui/win/edit_grid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <utility>

#include "base/win/wide.h"
#include "gui/win/window.h"

namespace palvetta {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kEditId = 1;
constexpr int kComboId = 2;
// Room below the drop-down's field for its list, in rows of the grid.
constexpr int kDropDownRows = 8;

// -1 for anything but a whole decimal number.
int IndexOf(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

// Posted to the list view to open the drop-down again after the click that closed it.
UINT ReopenMessage() {
  static const UINT message = RegisterWindowMessageW(L"PalvettaEditGridReopenList");
  return message;
}

bool IsWithin(HWND window, HWND ancestor) {
  return window && (window == ancestor || IsChild(ancestor, window));
}

// Hidden until a cell is edited.
HWND CreateEditor(HWND parent, const wchar_t* className, DWORD style, int id) {
  return CreateControl(
      {.Parent = parent, .ClassName = className, .Style = style, .Id = id, .Hidden = true});
}

}  // namespace

TEditGrid::TEditGrid(HWND listView, std::vector<TGridColumn> columns)
    : FList(listView),
      FColumns(std::move(columns)),
      FChoices(FColumns.size()),
      FRowChoices(FColumns.size()) {
  ListView_SetExtendedListViewStyle(FList, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (std::size_t i = 0; i < FColumns.size(); ++i) {
    std::wstring caption = Widen(FColumns[i].Caption);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = caption.data();
    column.cx = 100;
    ListView_InsertColumn(FList, static_cast<int>(i), &column);
  }
  FEdit = CreateEditor(FList, L"EDIT", WS_BORDER | ES_AUTOHSCROLL, kEditId);
  FCombo = CreateEditor(FList, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kComboId);
  const auto self = reinterpret_cast<DWORD_PTR>(this);
  SetWindowSubclass(FList, &TEditGrid::ListProc, kSubclassId, self);
  SetWindowSubclass(FEdit, &TEditGrid::EditorProc, kSubclassId, self);
  SetWindowSubclass(FCombo, &TEditGrid::EditorProc, kSubclassId, self);
}

TEditGrid::~TEditGrid() {
  if (!FList) return;  // the list view, and with it the editors, went first
  // Nothing may call back into a grid that is going.
  FStopping = true;
  RemoveWindowSubclass(FEdit, &TEditGrid::EditorProc, kSubclassId);
  RemoveWindowSubclass(FCombo, &TEditGrid::EditorProc, kSubclassId);
  RemoveWindowSubclass(FList, &TEditGrid::ListProc, kSubclassId);
  DestroyWindow(FEdit);
  DestroyWindow(FCombo);
}

bool TEditGrid::IsCell(int col, int row) const {
  return col >= 0 && col < ColumnCount() && row >= 0 && row < GetRowCount();
}

std::string TEditGrid::DefaultValue(int col) const {
  return FColumns[static_cast<std::size_t>(col)].Kind == TGridColumnKind::gcPickIndex ? "0" : "";
}

const TStrings& TEditGrid::PickEntries(int col) const {
  const auto c = static_cast<std::size_t>(col);
  return FColumns[c].Kind == TGridColumnKind::gcPickIndex ? FColumns[c].Entries : FChoices[c];
}

std::string TEditGrid::DisplayText(int col, const std::string& value) const {
  const TGridColumn& column = FColumns[static_cast<std::size_t>(col)];
  if (column.Kind != TGridColumnKind::gcPickIndex) return value;
  const int index = IndexOf(value);
  if (index < 0 || index >= static_cast<int>(column.Entries.size())) return {};
  return column.Entries[static_cast<std::size_t>(index)];
}

void TEditGrid::ShowCell(int col, int row) {
  std::wstring text =
      Widen(DisplayText(col, FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]));
  ListView_SetItemText(FList, row, col, text.data());
}

void TEditGrid::ClearGrid() { SetRowCount(0); }

void TEditGrid::SetRowCount(int count) {
  CancelEdit();  // its cell may be gone
  TStrings empty;
  for (int c = 0; c < ColumnCount(); ++c) empty.push_back(DefaultValue(c));
  FRows.assign(static_cast<std::size_t>(std::max(0, count)), empty);
  SendMessageW(FList, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(FList);
  for (int r = 0; r < GetRowCount(); ++r) {
    LVITEMW item = {};
    item.iItem = r;
    ListView_InsertItem(FList, &item);
    for (int c = 0; c < ColumnCount(); ++c) {
      if (!empty[static_cast<std::size_t>(c)].empty()) ShowCell(c, r);
    }
  }
  SendMessageW(FList, WM_SETREDRAW, TRUE, 0);
  FitRowsToPickField();
  InvalidateRect(FList, nullptr, TRUE);
}

void TEditGrid::SetCell(int col, int row, std::string_view value) {
  if (!IsCell(col, row)) return;
  FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::string(value);
  ShowCell(col, row);
}

std::string TEditGrid::GetCell(int col, int row) const {
  if (!IsCell(col, row)) return {};
  return FRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TEditGrid::SetCellInt(int col, int row, int value) {
  if (!IsCell(col, row) || FColumns[static_cast<std::size_t>(col)].Kind != TGridColumnKind::gcPickIndex) {
    return;
  }
  SetCell(col, row, IntToStr(value));
}

int TEditGrid::GetCellInt(int col, int row) const {
  if (!IsCell(col, row) || FColumns[static_cast<std::size_t>(col)].Kind != TGridColumnKind::gcPickIndex) {
    return 0;
  }
  return std::max(0, IndexOf(GetCell(col, row)));
}

void TEditGrid::SetChoices(int col, TStrings choices) {
  if (col < 0 || col >= ColumnCount() ||
      FColumns[static_cast<std::size_t>(col)].Kind != TGridColumnKind::gcPickText) {
    return;
  }
  FChoices[static_cast<std::size_t>(col)] = std::move(choices);
}

void TEditGrid::SetRowChoices(int col, std::function<TStrings(int row)> choices) {
  if (col < 0 || col >= ColumnCount() ||
      FColumns[static_cast<std::size_t>(col)].Kind != TGridColumnKind::gcPickText) {
    return;
  }
  FRowChoices[static_cast<std::size_t>(col)] = std::move(choices);
}

HWND TEditGrid::Editor() const {
  if (!FEditing) return nullptr;
  return FColumns[static_cast<std::size_t>(FEditCol)].Kind == TGridColumnKind::gcText ? FEdit
                                                                                         : FCombo;
}

RECT TEditGrid::CellRect(int col, int row) const {
  RECT cell = {};
  ListView_GetSubItemRect(FList, row, col, LVIR_BOUNDS, &cell);
  // The first column's bounds are the whole row's.
  if (col == 0) cell.right = cell.left + ListView_GetColumnWidth(FList, 0);
  return cell;
}

void TEditGrid::EditCell(int col, int row) {
  if (!IsCell(col, row) || FStopping) return;
  if (FColumns[static_cast<std::size_t>(col)].Kind == TGridColumnKind::gcFixed) return;
  if (const auto& choicesOf = FRowChoices[static_cast<std::size_t>(col)]) {
    FChoices[static_cast<std::size_t>(col)] = choicesOf(row);
  }
  AcceptEdit();
  FFocusColumn = col;
  ListView_SetItemState(FList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(FList, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(FList, row, FALSE);
  FitRowsToPickField();
  FEditCol = col;
  FEditRow = row;
  FEditing = true;
  const RECT cell = CellRect(col, row);
  const std::string value = GetCell(col, row);
  if (FColumns[static_cast<std::size_t>(col)].Kind == TGridColumnKind::gcText) {
    OpenTextEditor(cell, value);
  } else {
    OpenPickEditor(cell, col, value);
  }
}

void TEditGrid::OpenTextEditor(const RECT& cell, const std::string& value) {
  SendMessageW(FEdit, WM_SETFONT, SendMessageW(FList, WM_GETFONT, 0, 0), FALSE);
  SetWindowTextUtf8(FEdit, value);
  MoveWindow(FEdit, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, FALSE);
  ShowWindow(FEdit, SW_SHOW);
  SetFocus(FEdit);
  SendMessageW(FEdit, EM_SETSEL, 0, -1);
}

void TEditGrid::FitRowsToPickField() {
  const bool picks = std::any_of(FColumns.begin(), FColumns.end(), [](const TGridColumn& c) {
    return c.Kind == TGridColumnKind::gcPickIndex || c.Kind == TGridColumnKind::gcPickText;
  });
  if (!picks) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(FList, WM_GETFONT, 0, 0));
  if (font != FFittedFont || !FFittedRows) {
    FFittedFont = font;
    FFittedRows = true;
    SendMessageW(FCombo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  RECT field = {};
  GetWindowRect(FCombo, &field);
  const int fieldHeight = field.bottom - field.top;
  // A list view's rows are as high as its small images (and its text), give or take its
  // own spacing: an empty image list that high, corrected once by what a row measures.
  int imageHeight = fieldHeight;
  for (int attempt = 0; attempt < 2 && GetRowCount() > 0; ++attempt) {
    RECT row = {};
    ListView_GetItemRect(FList, 0, &row, LVIR_BOUNDS);
    const int missing = fieldHeight - (row.bottom - row.top);
    if (missing <= 0) return;
    if (const HIMAGELIST current = ListView_GetImageList(FList, LVSIL_SMALL)) {
      int width = 0;
      int height = 0;
      ImageList_GetIconSize(current, &width, &height);
      imageHeight = std::max(fieldHeight, height + missing);
    }
    const HIMAGELIST rows = ImageList_Create(1, imageHeight, ILC_COLOR32, 0, 1);
    if (!rows) return;
    // The list view destroys the list it holds when it goes; the one replaced is ours.
    if (const HIMAGELIST old = ListView_SetImageList(FList, rows, LVSIL_SMALL)) {
      ImageList_Destroy(old);
    }
  }
}

int TEditGrid::DroppedWidth(const TStrings& entries) const {
  const HDC dc = GetDC(FCombo);
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(FCombo, WM_GETFONT, 0, 0));
  const HGDIOBJ old = SelectObject(dc, font);
  int widest = 0;
  for (const auto& entry : entries) {
    const std::wstring text = Widen(entry);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(FCombo, dc);
  const UINT dpi = GetDpiForWindow(FList);
  // The list's frame, the room the list leaves beside each entry, and its scroll bar
  // when the entries do not all fit.
  int width = widest + 2 * (GetSystemMetricsForDpi(SM_CXEDGE, dpi) + metrics.tmAveCharWidth);
  if (static_cast<int>(entries.size()) > kDropDownRows) {
    width += GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
  }
  return width;
}

void TEditGrid::OpenPickEditor(const RECT& cell, int col, const std::string& value) {
  // FitRowsToPickField gave the drop-down the list view's font.
  SendMessageW(FCombo, CB_RESETCONTENT, 0, 0);
  const TStrings& entries = PickEntries(col);
  for (const auto& entry : entries) {
    SendMessageW(FCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
  // The list is at least as wide as the cell, and wider when an entry needs it.
  SendMessageW(FCombo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth(entries)), 0);
  // The entry the cell holds: by index, or by exact text (CB_FINDSTRINGEXACT ignores case).
  int selected = -1;
  if (FColumns[static_cast<std::size_t>(col)].Kind == TGridColumnKind::gcPickIndex) {
    selected = IndexOf(value);
  } else {
    const auto found = std::find(entries.begin(), entries.end(), value);
    if (found != entries.end()) selected = static_cast<int>(found - entries.begin());
  }
  if (selected >= static_cast<int>(entries.size())) selected = -1;
  SendMessageW(FCombo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  // The field keeps the height of its font (the rows were made as high); its item
  // height is never set, as a combo box then keeps it through later font changes.
  const int height = cell.bottom - cell.top;
  MoveWindow(FCombo, cell.left, cell.top, cell.right - cell.left, height * (1 + kDropDownRows),
             FALSE);
  ShowWindow(FCombo, SW_SHOW);
  SetFocus(FCombo);
  SendMessageW(FCombo, CB_SHOWDROPDOWN, TRUE, 0);
}

void TEditGrid::StopEdit(bool accept, bool focusLeaving) {
  if (!FEditing || FStopping) return;
  FStopping = true;
  const HWND editor = Editor();
  if (accept) {
    const TGridColumnKind kind = FColumns[static_cast<std::size_t>(FEditCol)].Kind;
    if (kind == TGridColumnKind::gcText) {
      SetCell(FEditCol, FEditRow, WindowText(FEdit));
    } else {
      const int chosen = static_cast<int>(SendMessageW(FCombo, CB_GETCURSEL, 0, 0));
      const TStrings& entries = PickEntries(FEditCol);
      if (chosen >= 0 && chosen < static_cast<int>(entries.size())) {
        SetCell(FEditCol, FEditRow,
                kind == TGridColumnKind::gcPickIndex ? IntToStr(chosen)
                                                     : entries[static_cast<std::size_t>(chosen)]);
      }
    }
  }
  if (editor == FCombo) SendMessageW(FCombo, CB_SHOWDROPDOWN, FALSE, 0);
  if (!focusLeaving && GetFocus() == editor) SetFocus(FList);
  ShowWindow(editor, SW_HIDE);
  FOpeningClick.reset();
  FEditing = false;
  FStopping = false;
}

void TEditGrid::EditClickedCell(int col, int row) {
  EditCell(col, row);
  if (Editor() != FCombo) return;
  const DWORD at = GetMessagePos();
  FOpeningClick = TOpeningClick{GetMessageTime(), {GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
}

bool TEditGrid::IsSecondClickOfOpening() const {
  if (!FOpeningClick) return false;
  const DWORD at = GetMessagePos();
  const UINT dpi = GetDpiForWindow(FList);
  return static_cast<UINT>(GetMessageTime() - FOpeningClick->Time) <= GetDoubleClickTime() &&
         std::abs(GET_X_LPARAM(at) - FOpeningClick->At.x) <=
             GetSystemMetricsForDpi(SM_CXDOUBLECLK, dpi) / 2 &&
         std::abs(GET_Y_LPARAM(at) - FOpeningClick->At.y) <=
             GetSystemMetricsForDpi(SM_CYDOUBLECLK, dpi) / 2;
}

void TEditGrid::EditKeyboardCell() {
  int row = ListView_GetNextItem(FList, -1, LVNI_FOCUSED);
  if (row < 0) row = 0;
  EditCell(FFocusColumn, row);
}

bool TEditGrid::HandleEditorKey(WPARAM key) {
  if (key == VK_RETURN) {
    StopEdit(true, false);
    return true;
  }
  if (key == VK_ESCAPE) {
    StopEdit(false, false);
    return true;
  }
  return false;
}

bool TEditGrid::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || !FList) return false;
  if (FEditing && IsWithin(message.hwnd, Editor())) return HandleEditorKey(message.wParam);
  if (message.hwnd == FList && message.wParam == VK_RETURN && GetRowCount() > 0) {
    EditKeyboardCell();
    return true;
  }
  return false;
}

LRESULT CALLBACK TEditGrid::EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  auto* grid = reinterpret_cast<TEditGrid*>(self);
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter and Esc belong to the editor, not to a dialog around the grid; Tab still
      // leaves it.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = DefSubclassProc(window, message, wParam, lParam);
      if (key && key->message == WM_KEYDOWN &&
          (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (grid->FEditing && grid->HandleEditorKey(wParam)) return 0;
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L'\x1b') return 0;  // no beep for the keys used above
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TEditGrid::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
  auto* grid = reinterpret_cast<TEditGrid*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &TEditGrid::ListProc, kSubclassId);
    grid->FList = nullptr;
    grid->FEditing = false;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  return grid->HandleListMessage(message, wParam, lParam);
}

LRESULT TEditGrid::HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ReopenMessage()) {
    if (FEditing && Editor() == FCombo) SendMessageW(FCombo, CB_SHOWDROPDOWN, TRUE, 0);
    return 0;
  }
  switch (message) {
    case WM_COMMAND: {
      const auto source = reinterpret_cast<HWND>(lParam);
      if (source != FEdit && source != FCombo) break;
      const int code = HIWORD(wParam);
      if (code == EN_KILLFOCUS || code == CBN_KILLFOCUS) {
        StopEdit(true, true);
      } else if (code == CBN_CLOSEUP) {
        if (IsSecondClickOfOpening()) {
          // A double-click opens the list as a single click does. Opened again once the
          // combo has finished closing it.
          FOpeningClick.reset();
          PostMessageW(FList, ReopenMessage(), 0, 0);
        } else {
          StopEdit(true, false);
        }
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefSubclassProc(FList, message, wParam, lParam);
      LVHITTESTINFO hit = {};
      hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      FPendingCol = FPendingRow = -1;
      if (ListView_SubItemHitTest(FList, &hit) >= 0 && (hit.flags & LVHT_ONITEM)) {
        // A list view that still holds the mouse releases it on button-up, which would
        // close a drop-down opened now: the edit then waits for the button-up.
        if (GetCapture() == FList) {
          FPendingCol = hit.iSubItem;
          FPendingRow = hit.iItem;
        } else {
          EditClickedCell(hit.iSubItem, hit.iItem);
        }
      }
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = DefSubclassProc(FList, message, wParam, lParam);
      const int col = std::exchange(FPendingCol, -1);
      const int row = std::exchange(FPendingRow, -1);
      if (col >= 0) EditClickedCell(col, row);
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_F2 || wParam == VK_RETURN) {
        if (GetRowCount() > 0) EditKeyboardCell();
        return 0;
      }
      if (wParam == VK_LEFT || wParam == VK_RIGHT) {
        FFocusColumn = std::clamp(FFocusColumn + (wParam == VK_LEFT ? -1 : 1), 0,
                                  std::max(0, ColumnCount() - 1));
        return 0;
      }
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_SIZE:
      // The editor would no longer lie over its cell.
      AcceptEdit();
      break;
    case WM_NOTIFY: {
      // A column being resized moves the cell away from under the editor.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == ListView_GetHeader(FList) &&
          (header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA ||
           header->code == HDN_ITEMCHANGEDW || header->code == HDN_ITEMCHANGEDA)) {
        AcceptEdit();
      }
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(FList, message, wParam, lParam);
}

}  // namespace palvetta
