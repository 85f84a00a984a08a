#include "gui/win/controls/three_state_grid_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/win/wide.h"
#include "gui/layout_kinds.h"

namespace palvetta {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kBoxSize = 13;
constexpr int kCellPadding = 6;

int TextWidth(HDC dc, const std::string& text) {
  const std::wstring wide = Widen(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

}  // namespace

TThreeStateGridControl::TThreeStateGridControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, {.ClassName = L"STATIC", .ExStyle = WS_EX_CLIENTEDGE}),
      FColumns(node.Entries),
      FRows(node.StateRows),
      FStates(node.StateRows.size(), kLeftOut) {
  FColumns.resize(3);
  SetWindowSubclass(Handle(), &Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

TThreeStateGridControl::~TThreeStateGridControl() {
  RemoveWindowSubclass(Handle(), &Procedure, kSubclassId);
}

void TThreeStateGridControl::Click(int row, int column) {
  if (row < 0 || row >= RowCount() || (column != 1 && column != 2)) return;
  int& state = FStates[static_cast<size_t>(row)];
  const int toggled = column == 1 ? kSet : kNotSet;
  state = state == toggled ? kLeftOut : toggled;
  InvalidateRect(Handle(), nullptr, TRUE);
  NotifyChanged();
}

std::vector<int> TThreeStateGridControl::ColumnEdges() const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const HDC dc = GetDC(Handle());
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  const int padding = MulDiv(kCellPadding, FDpi, 96);
  const int box = MulDiv(kBoxSize, FDpi, 96);
  const int state =
      std::max({TextWidth(dc, FColumns[1]), TextWidth(dc, FColumns[2]), box}) + 2 * padding;
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  const int first = std::max(0, static_cast<int>(client.right) - 2 * state);
  return {first, first + state, first + 2 * state};
}

RECT TThreeStateGridControl::CellRect(int row, int column) const {
  const std::vector<int> edges = ColumnEdges();
  const int left = column == 0 ? 0 : edges[static_cast<size_t>(column - 1)];
  const int top = (row + 1) * FRowHeight;
  return {left, top, edges[static_cast<size_t>(column)], top + FRowHeight};
}

void TThreeStateGridControl::HitAt(int x, int y) {
  const int row = y / FRowHeight - 1;
  const std::vector<int> edges = ColumnEdges();
  for (int column = 0; column < 3; ++column) {
    if (x < edges[static_cast<size_t>(column)]) {
      Click(row, column);
      return;
    }
  }
}

void TThreeStateGridControl::Paint(HDC dc) const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  const bool enabled = IsWindowEnabled(Handle());
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  const std::vector<int> edges = ColumnEdges();
  const int padding = MulDiv(kCellPadding, FDpi, 96);
  const int box = MulDiv(kBoxSize, FDpi, 96);

  RECT header = {0, 0, client.right, FRowHeight};
  FillRect(dc, &header, GetSysColorBrush(COLOR_BTNFACE));
  auto text = [&](const std::string& caption, RECT cell, UINT align) {
    cell.left += padding;
    cell.right -= padding;
    const std::wstring wide = Widen(caption);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &cell,
              align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  };
  for (int column = 0; column < 3; ++column) {
    const int left = column == 0 ? 0 : edges[static_cast<size_t>(column - 1)];
    text(FColumns[static_cast<size_t>(column)], {left, 0, edges[static_cast<size_t>(column)], FRowHeight},
         column == 0 ? DT_LEFT : DT_CENTER);
  }
  const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  for (int row = 0; row <= RowCount(); ++row) {
    MoveToEx(dc, 0, (row + 1) * FRowHeight - 1, nullptr);
    LineTo(dc, client.right, (row + 1) * FRowHeight - 1);
  }
  for (int column = 0; column < 2; ++column) {
    MoveToEx(dc, edges[static_cast<size_t>(column)] - 1, 0, nullptr);
    LineTo(dc, edges[static_cast<size_t>(column)] - 1, (RowCount() + 1) * FRowHeight);
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);

  for (int row = 0; row < RowCount(); ++row) {
    text(FRows[static_cast<size_t>(row)].Caption, CellRect(row, 0), DT_LEFT);
    for (int column = 1; column <= 2; ++column) {
      const RECT cell = CellRect(row, column);
      RECT square = {(cell.left + cell.right - box) / 2, (cell.top + cell.bottom - box) / 2, 0, 0};
      square.right = square.left + box;
      square.bottom = square.top + box;
      const bool checked = State(row) == (column == 1 ? kSet : kNotSet);
      DrawFrameControl(dc, &square, DFC_BUTTON,
                       DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) |
                           (enabled ? 0 : DFCS_INACTIVE));
    }
  }
  SelectObject(dc, oldFont);
}

void TThreeStateGridControl::Fill(const TEditorValues& values) {
  for (size_t row = 0; row < FRows.size(); ++row) {
    if (!values.Has(FRows[row].Field)) continue;
    const int state = values.Index(FRows[row].Field);
    if (state >= kLeftOut && state <= kNotSet) FStates[row] = state;
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TThreeStateGridControl::Read(TEditorValues& values) const {
  for (size_t row = 0; row < FRows.size(); ++row) values.SetIndex(FRows[row].Field, FStates[row]);
}

void TThreeStateGridControl::Place(const TRect& rect, const TPlaceContext& context) {
  FDpi = context.Dpi;
  FRowHeight = static_cast<int>(std::lround(ThreeStateRowHeight(context.LineHeight, context.Dpi)));
  TDialogControl::Place(rect, context);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT CALLBACK TThreeStateGridControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* grid = reinterpret_cast<TThreeStateGridControl*>(self);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      grid->Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      grid->HitAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_NCHITTEST:
      // A static control is transparent to the mouse; the grid takes its clicks.
      return HTCLIENT;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace palvetta
