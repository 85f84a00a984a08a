#include "app/win/project_list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "app/markup.h"
#include "app/palette.h"
#include "base/win/wide.h"
#include "gui/win/gdi_text_measurer.h"
#include "gui/win/window.h"

namespace palvetta {
namespace {

struct TColumnSpec {
  const char* Caption;
  int Width;  // at 96 dpi; the command column's is what is left, at least this
};

constexpr TColumnSpec kColumns[] = {
    {"", 24}, {"Command", 80}, {"Check", 60}, {"Redirect", 160}};

int Scaled(int width, HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return MulDiv(width, static_cast<int>(dpi ? dpi : 96), 96);
}

}  // namespace

void TProjectListView::Create(HWND parent, int id) {
  FHandle = CreateControl({.Parent = parent,
                           .ClassName = WC_LISTVIEWW,
                           .Style = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                           .ExStyle = WS_EX_CLIENTEDGE,
                           .Pos = {0, 0, 100, 100},
                           .Id = id});
  ListView_SetExtendedListViewStyle(
      FHandle, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_SUBITEMIMAGES);
  for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
    std::wstring caption = Widen(kColumns[c].Caption);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = caption.data();
    column.cx = Scaled(kColumns[c].Width, parent);
    column.iSubItem = c;
    ListView_InsertColumn(FHandle, c, &column);
    FLeastWidths[static_cast<std::size_t>(c)] = column.cx;
  }
}

void TProjectListView::FitCaptions() {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  const TGdiTextMeasurer measurer(font);
  // The header keeps this much free on either side of a caption.
  const int margins =
      2 * static_cast<int>(SendMessageW(ListView_GetHeader(FHandle), HDM_GETBITMAPMARGIN, 0, 0));
  for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
    const int least = std::max(Scaled(kColumns[c].Width, FHandle),
                               measurer.TextWidth(kColumns[c].Caption) + margins);
    FLeastWidths[static_cast<std::size_t>(c)] = least;
    if (c != colCommand) ListView_SetColumnWidth(FHandle, c, least);
  }
  FitColumns();
}

void TProjectListView::SetImages(HIMAGELIST images) {
  ListView_SetImageList(FHandle, images, LVSIL_SMALL);
}

void TProjectListView::SetSource(const TProject* project, const TItemClassRegistry* registry) {
  FProject = project;
  FRegistry = registry;
}

void TProjectListView::Rebuild() {
  const int count = FProject ? FProject->Count() : 0;
  ListView_SetItemCountEx(FHandle, count, 0);
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TProjectListView::RedrawRow(int row) { ListView_RedrawItems(FHandle, row, row); }

void TProjectListView::FitColumns() {
  RECT client = {};
  GetClientRect(FHandle, &client);
  int others = 0;
  for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
    if (c != colCommand) others += ListView_GetColumnWidth(FHandle, c);
  }
  const int width = std::max<int>(FLeastWidths[colCommand], client.right - others);
  // Setting a column's width repaints the list even when the width stays.
  if (width != ListView_GetColumnWidth(FHandle, colCommand)) {
    ListView_SetColumnWidth(FHandle, colCommand, width);
  }
}

// The actions ask for the selection whenever the program is idle: with no row selected,
// the count answers at once where a search would visit every row of a long project.
std::vector<int> TProjectListView::SelectedRows() const {
  std::vector<int> rows;
  if (ListView_GetSelectedCount(FHandle) == 0) return rows;
  int row = -1;
  while ((row = ListView_GetNextItem(FHandle, row, LVNI_SELECTED)) >= 0) rows.push_back(row);
  return rows;
}

std::optional<int> TProjectListView::FirstSelected() const {
  if (ListView_GetSelectedCount(FHandle) == 0) return std::nullopt;
  const int row = ListView_GetNextItem(FHandle, -1, LVNI_SELECTED);
  return row >= 0 ? std::optional<int>(row) : std::nullopt;
}

std::optional<int> TProjectListView::FocusedRow() const {
  const int row = ListView_GetNextItem(FHandle, -1, LVNI_FOCUSED);
  return row >= 0 ? std::optional<int>(row) : std::nullopt;
}

void TProjectListView::SelectOnly(int row) {
  ListView_SetItemState(FHandle, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(FHandle, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(FHandle, row, FALSE);
}

void TProjectListView::SelectRows(const std::vector<int>& rows) {
  ListView_SetItemState(FHandle, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (int row : rows) ListView_SetItemState(FHandle, row, LVIS_SELECTED, LVIS_SELECTED);
  if (!rows.empty()) ListView_SetItemState(FHandle, rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
}

std::optional<int> TProjectListView::RowAt(POINT client, bool& upperHalf) const {
  LVHITTESTINFO hit = {};
  hit.pt = client;
  const int row = ListView_HitTest(FHandle, &hit);
  upperHalf = false;
  if (row < 0 || !(hit.flags & LVHT_ONITEM)) return std::nullopt;
  RECT bounds = {};
  ListView_GetItemRect(FHandle, row, &bounds, LVIR_BOUNDS);
  upperHalf = client.y < (bounds.top + bounds.bottom) / 2;
  return row;
}

std::string TProjectListView::CellText(int row, TColumn column) const {
  if (!FProject || row < 0 || row >= FProject->Count()) return {};
  const TCustomProjectItem& item = FProject->Items(row);
  switch (column) {
    case colCommand:
      return RemoveMarkup(item.GetHumanReadableText());
    case colRedirect:
      return item.RedirectTo;
    default:
      return {};
  }
}

int TProjectListView::RowImage(int row) const {
  if (!FProject || !FRegistry || row < 0 || row >= FProject->Count()) return -1;
  const TCustomProjectItem& item = FProject->Items(row);
  return item.Enabled ? FRegistry->GetImageIndex(item.ClassType()) : DisabledItemImage;
}

bool TProjectListView::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != FHandle || header.code != LVN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header));
  LVITEMW& cell = info.item;
  if ((cell.mask & LVIF_IMAGE) != 0) {
    cell.iImage = cell.iSubItem == colImage ? RowImage(cell.iItem) : -1;
  }
  if ((cell.mask & LVIF_TEXT) != 0 && cell.pszText && cell.cchTextMax > 0) {
    FText = Widen(CellText(cell.iItem, static_cast<TColumn>(cell.iSubItem)));
    lstrcpynW(cell.pszText, FText.c_str(), cell.cchTextMax);
  }
  result = 0;
  return true;
}

}  // namespace palvetta
