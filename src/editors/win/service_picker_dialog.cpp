#include "editors/win/service_picker_dialog.h"

#include "gui/win/controls/list_control.h"

namespace palvetta {

TServicePickerDialog::TServicePickerDialog(TFormEnvironment environment)
    : FEnvironment(std::move(environment)) {}

TDialog& TServicePickerDialog::Make() {
  // A kept dialog goes with its owner window; then a new one is made.
  if (FDialog && FDialog->Handle()) return *FDialog;
  TDialogOptions options;
  options.Title = "Select Service Or Group";
  options.Environment = FEnvironment;
  FDialog = std::make_unique<TDialog>(
      Dialog({Stretched(Row({Stretched(LabelAbove("Services:", ListBox("lbxServices", 12, 40))),
                             Stretched(LabelAbove("Groups:", ListBox("lbxGroups", 12, 25)))}))}),
      options);
  return *FDialog;
}

std::optional<TPickedDependencies> TServicePickerDialog::Execute(HWND owner,
                                                                 const TStrings& services,
                                                                 const TStrings& groups) {
  TDialog& dialog = Make();
  dialog.ListBox("lbxServices").SetEntries(services);
  dialog.ListBox("lbxGroups").SetEntries(groups);
  dialog.OnShown = OnShown;
  if (dialog.ShowModal(owner) != TModalResult::mrOK) return std::nullopt;
  return TPickedDependencies{dialog.ListBox("lbxServices").SelectedEntries(),
                             dialog.ListBox("lbxGroups").SelectedEntries()};
}

}  // namespace palvetta
