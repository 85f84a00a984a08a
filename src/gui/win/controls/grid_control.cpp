#include "gui/win/controls/grid_control.h"

#include <commctrl.h>

#include <algorithm>

namespace palvetta {
namespace {

// A grid described by its captions alone has text columns.
std::vector<TGridColumn> ColumnsOf(const TLayoutNode& node) {
  std::vector<TGridColumn> columns = node.Columns;
  if (columns.empty()) {
    for (const auto& caption : node.Entries) columns.push_back(TGridColumn::Text(caption));
  }
  return columns;
}

bool HasFixedColumn(const std::vector<TGridColumn>& columns) {
  return std::any_of(columns.begin(), columns.end(), [](const TGridColumn& column) {
    return column.Kind == TGridColumnKind::gcFixed;
  });
}

}  // namespace

TGridControl::TGridControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = WC_LISTVIEWW,
                      .Style = kInputStyle | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                      .ExStyle = WS_EX_CLIENTEDGE,
                      .Text = node.Text}),
      FGrid(std::make_unique<TEditGrid>(Handle(), ColumnsOf(node))),
      FMinRows(HasFixedColumn(ColumnsOf(node)) ? 0 : kMinRows) {}

void TGridControl::SetRows(const TGridRows& rows) {
  FGrid->SetRowCount(std::max(FMinRows, static_cast<int>(rows.size())));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      FGrid->SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    }
  }
}

TGridRows TGridControl::Rows() const {
  TGridRows rows(static_cast<std::size_t>(FGrid->GetRowCount()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < FGrid->ColumnCount(); ++c) {
      rows[r].push_back(FGrid->GetCell(c, static_cast<int>(r)));
    }
  }
  return rows;
}

void TGridControl::SetIndex(int index) {
  ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (index >= 0) {
    ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
}

int TGridControl::Index() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void TGridControl::Fill(const TEditorValues& values) {
  if (values.HasChoices(Name())) {
    for (int c = 0; c < FGrid->ColumnCount(); ++c) FGrid->SetChoices(c, values.Choices(Name()));
  }
  if (values.Has(Name())) SetRows(values.Rows(Name()));
}

void TGridControl::Read(TEditorValues& values) const { values.SetRows(Name(), Rows()); }

void TGridControl::Place(const TRect& rect, const TPlaceContext& context) {
  MoveTo(rect, rect.Height);
  const int columns =
      static_cast<int>(SendMessageW(ListView_GetHeader(Handle()), HDM_GETITEMCOUNT, 0, 0));
  const int scrollBar = GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(context.Dpi));
  for (int c = 0; c < columns; ++c) {
    ListView_SetColumnWidth(Handle(), c, std::max(1, (rect.Width - scrollBar - 4) / columns));
  }
  Show(!rect.IsEmpty());
}

void TGridControl::EndEdit(bool accept) {
  if (accept) {
    FGrid->AcceptEdit();
  } else {
    FGrid->CancelEdit();
  }
}

}  // namespace palvetta
