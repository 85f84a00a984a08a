#include "editors/win/folder_list_dialog.h"

#include "editors/folder_list.h"
#include "gui/win/ui_seams.h"

namespace palvetta {

TFolderListDialog::TFolderListDialog(TFormEnvironment environment)
    : FEnvironment(std::move(environment)) {}

TDialog& TFolderListDialog::Make() {
  // A kept dialog goes with its owner window; then a new one is made.
  if (FDialog && FDialog->Handle()) return *FDialog;
  TDialogOptions options;
  options.Title = "List of folders";
  options.Environment = FEnvironment;
  FDialog = std::make_unique<TDialog>(
      Dialog({Stretched(LabelAbove("Folders:", Memo("memFolders", 8, 50))),
              Aligned(Button("btnAdd", "Add"), TAlign::alEnd)}),
      options);
  TDialog& dialog = *FDialog;
  dialog.OnClick("btnAdd", [&dialog] {
    const std::optional<std::string> folder = PickFolder(dialog.Handle(), "Select folder");
    if (!folder) return;
    std::string text = dialog.Text("memFolders");
    if (!text.empty() && !text.ends_with("\n")) text += "\r\n";
    dialog.SetText("memFolders", text + *folder);
  });
  return dialog;
}

std::optional<std::string> TFolderListDialog::Execute(HWND owner, std::string_view list) {
  TDialog& dialog = Make();
  dialog.SetText("memFolders", JoinWith(FolderListLines(list), "\r\n"));
  dialog.OnShown = OnShown;
  if (dialog.ShowModal(owner) != TModalResult::mrOK) return std::nullopt;
  return FolderListOf(SplitLines(dialog.Text("memFolders")));
}

}  // namespace palvetta
