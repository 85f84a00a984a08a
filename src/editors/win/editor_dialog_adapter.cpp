#include "editors/win/editor_dialog_adapter.h"

#include "base/win/wide.h"
#include "gui/win/controls/list_control.h"

namespace palvetta {

void TEditorDialogAdapter::RunShowHandlers() const {
  for (const TDialogHandler& handler : FShowHandlers) handler();
}

void TEditorDialogAdapter::OnClick(std::string_view control, TDialogHandler handler) {
  FHandlers.Add(TControlEvent::ceClick, control, std::move(handler), true);
}

void TEditorDialogAdapter::OnChange(std::string_view control, TDialogHandler handler) {
  FHandlers.Add(TControlEvent::ceChange, control, std::move(handler), true);
}

void TEditorDialogAdapter::OnDropDown(std::string_view control, TDialogHandler handler) {
  FHandlers.Add(TControlEvent::ceDropDown, control, std::move(handler));
}

void TEditorDialogAdapter::OnFocus(std::string_view control, TDialogHandler handler) {
  FHandlers.Add(TControlEvent::ceFocus, control, std::move(handler));
}

TStrings TEditorDialogAdapter::ListEntries(std::string_view list) const {
  return FDialog.ListBox(list).Entries();
}

void TEditorDialogAdapter::SetListEntries(std::string_view list, const TStrings& entries) {
  FDialog.ListBox(list).SetEntries(entries);
}

void TEditorDialogAdapter::DeleteSelected(std::string_view list) {
  FDialog.ListBox(list).DeleteSelected();
}

std::string TEditorDialogAdapter::Cell(std::string_view grid, int column, int row) const {
  return FDialog.EditGrid(grid).GetCell(column, row);
}

void TEditorDialogAdapter::SetCellChoices(std::string_view grid, int column,
                                          std::function<TStrings(int row)> choices) {
  FDialog.EditGrid(grid).SetRowChoices(column, std::move(choices));
}

// The field keeps its selection while the button that asks for this has the focus.
void TEditorDialogAdapter::ReplaceSelection(std::string_view field, std::string_view text) {
  const HWND control = FDialog.Control(field);
  const std::wstring wide = Widen(text);
  SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  SetFocus(control);
}

void TEditorDialogAdapter::WhileBusy(const std::function<void()>& work) {
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  work();
  SetCursor(previous);
}

std::optional<std::vector<size_t>> TEditorDialogAdapter::PickFields(TFilterDef fields) {
  return FSystem.FieldPicker.Execute(FDialog.Handle(), fields);
}

std::optional<TPickedDependencies> TEditorDialogAdapter::PickDependencies(const TStrings& services,
                                                                          const TStrings& groups) {
  return FSystem.ServicePicker.Execute(FDialog.Handle(), services, groups);
}

}  // namespace palvetta
