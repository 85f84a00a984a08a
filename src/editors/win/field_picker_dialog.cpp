#include "editors/win/field_picker_dialog.h"

#include "editors/filter_grid.h"

namespace palvetta {

TFieldPickerDialog::TFieldPickerDialog(TFormEnvironment environment)
    : FEnvironment(std::move(environment)) {}

TDialog& TFieldPickerDialog::Make(TFilterDef fields) {
  std::unique_ptr<TDialog>& dialog = FDialogs[fields.data()];
  // A kept dialog goes with its owner window; then a new one is made.
  if (dialog && dialog->Handle()) return *dialog;
  TDialogOptions options;
  options.Title = "List of fields";
  options.Environment = FEnvironment;
  dialog = std::make_unique<TDialog>(FieldPickerLayout(fields), options);
  return *dialog;
}

std::optional<std::vector<size_t>> TFieldPickerDialog::Execute(HWND owner, TFilterDef fields) {
  TDialog& dialog = Make(fields);
  for (size_t i = 0; i < fields.size(); ++i) dialog.SetChecked(FieldPickerBox(i), false);
  dialog.OnShown = OnShown;
  if (dialog.ShowModal(owner) != TModalResult::mrOK) return std::nullopt;
  std::vector<size_t> picked;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (dialog.Checked(FieldPickerBox(i))) picked.push_back(i);
  }
  return picked;
}

}  // namespace palvetta
