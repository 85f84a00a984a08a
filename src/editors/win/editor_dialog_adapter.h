#pragma once
// The dialog hooks' view of an editor dialog on screen: IEditorDialog over the window
// toolkit's dialog, with the pickers and the system the editor window owns.

#include <string_view>
#include <vector>

#include "editors/editor_dialog.h"
#include "editors/win/dialog_handlers.h"
#include "editors/win/field_picker_dialog.h"
#include "editors/win/service_picker_dialog.h"
#include "gui/win/dialog.h"

namespace palvetta {

struct TEditorDialogSystem {
  TFieldPickerDialog& FieldPicker;
  TServicePickerDialog& ServicePicker;
  IServiceEnumeration& Services;
};

class TEditorDialogAdapter : public IEditorDialog {
 public:
  TEditorDialogAdapter(TDialog& dialog, TEditorDialogSystem system)
      : FDialog(dialog), FSystem(system) {}

  // Where the generic rules add their handlers beside the hooks'; given to the dialog by
  // AttachHandlers once everything is added.
  TDialogHandlers& Handlers() { return FHandlers; }
  void AttachHandlers(const TDialogHandler& enabling) const { FHandlers.AttachTo(FDialog, enabling); }
  void RunShowHandlers() const;

  void OnClick(std::string_view control, TDialogHandler handler) override;
  void OnChange(std::string_view control, TDialogHandler handler) override;
  void OnDropDown(std::string_view control, TDialogHandler handler) override;
  void OnFocus(std::string_view control, TDialogHandler handler) override;
  void OnShow(TDialogHandler handler) override { FShowHandlers.push_back(std::move(handler)); }

  std::string Text(std::string_view control) const override { return FDialog.Text(control); }
  int Index(std::string_view control) const override { return FDialog.Index(control); }
  TStrings Entries(std::string_view combo) const override { return FDialog.Entries(combo); }
  void SetEntries(std::string_view combo, const TStrings& entries) override {
    FDialog.SetEntries(combo, entries);
  }
  TStrings ListEntries(std::string_view list) const override;
  void SetListEntries(std::string_view list, const TStrings& entries) override;
  void DeleteSelected(std::string_view list) override;
  TGridRows Rows(std::string_view grid) const override { return FDialog.Rows(grid); }
  void SetRows(std::string_view grid, const TGridRows& rows) override { FDialog.SetRows(grid, rows); }
  std::string Cell(std::string_view grid, int column, int row) const override;
  void SetCellChoices(std::string_view grid, int column,
                      std::function<TStrings(int row)> choices) override;
  void ReplaceSelection(std::string_view field, std::string_view text) override;
  void CollapseAllPanels() override { FDialog.CollapseAllPanels(); }

  IServiceEnumeration& Services() override { return FSystem.Services; }
  void WhileBusy(const std::function<void()>& work) override;
  std::optional<std::vector<size_t>> PickFields(TFilterDef fields) override;
  std::optional<TPickedDependencies> PickDependencies(const TStrings& services,
                                                      const TStrings& groups) override;

 private:
  TDialog& FDialog;
  TEditorDialogSystem FSystem;
  TDialogHandlers FHandlers;
  std::vector<TDialogHandler> FShowHandlers;
};

}  // namespace palvetta
