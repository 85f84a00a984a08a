#include "editors/win/item_editor_dialogs.h"

#include <stdexcept>

#include "base/win/wide.h"
#include "gui/win/ui_seams.h"

namespace palvetta {

TItemEditorDialogs::TItemEditorDialogs(std::vector<TItemEditorSpec> specs,
                                       TFormEnvironment environment)
    : FEnvironment(std::move(environment)), FFolderList(FEnvironment) {
  for (TItemEditorSpec& spec : specs) {
    if (!FEntries.emplace(spec.ItemClass, TEntry{std::move(spec.Spec), nullptr, {}}).second) {
      throw std::logic_error("Two editor dialogs for " + std::string(spec.ItemClass->Name));
    }
  }
}

TDialog& TItemEditorDialogs::Make(TEntry& entry) {
  // A kept dialog goes with its owner window; then a new one is made.
  if (entry.Dialog && entry.Dialog->Handle()) return *entry.Dialog;
  TDialogOptions options;
  options.Title = entry.Spec.Title;
  options.TypedCombos = entry.Spec.TypedCombos;
  options.Environment = FEnvironment;
  entry.Dialog = std::make_unique<TDialog>(entry.Spec.Layout, options);
  TDialog& dialog = *entry.Dialog;
  for (const TBrowseButton& browse : entry.Spec.Browse) {
    dialog.OnClick(browse.Button, [this, &dialog, &browse] { Browse(dialog, browse); });
  }
  // A click on a radio button also clears the others of its group, which report no
  // click: any of them may change what a rule enables.
  for (const std::string& name : RuleTriggers(entry.Spec)) {
    dialog.OnClick(name, [&entry] { ApplyEnabling(entry); });
  }
  // Every OK reads the dialog into the values first, so the checks and finally the item
  // see what the user typed.
  dialog.AddOkCheck([&entry, &dialog]() -> std::optional<TCheckFailure> {
    dialog.Read(entry.Values);
    return std::nullopt;
  });
  for (const TEditorCheck& check : entry.Spec.Checks) {
    dialog.AddOkCheck([&entry, &check] { return check(entry.Values); });
  }
  return dialog;
}

void TItemEditorDialogs::ApplyEnabling(TEntry& entry) {
  for (const TEnableRule& rule : entry.Spec.Enabling) {
    const bool enabled = entry.Dialog->Checked(rule.CheckBox);
    for (const std::string& control : rule.Controls) entry.Dialog->SetEnabled(control, enabled);
  }
}

void TItemEditorDialogs::Browse(TDialog& dialog, const TBrowseButton& browse) {
  std::optional<std::string> chosen;
  if (browse.Kind == TBrowseKind::bkFolder) {
    chosen = PickFolder(dialog.Handle(), browse.Title);
  } else if (browse.Kind == TBrowseKind::bkFolderList) {
    chosen = FFolderList.Execute(dialog.Handle(), dialog.Text(browse.Field));
  } else {
    TFileDialogArgs args;
    args.Owner = dialog.Handle();
    args.Title = browse.Title;
    args.Filter = browse.Filter;
    args.DefaultExt = browse.DefaultExt;
    args.InitialName = dialog.Text(browse.Field);
    chosen = PickFileToOpen(args);
  }
  if (chosen) dialog.SetText(browse.Field, *chosen);
}

bool TItemEditorDialogs::Execute(TCustomProjectItem& item, HWND owner, int helpContext) {
  const auto found = FEntries.find(&item.ClassType());
  if (found == FEntries.end()) return false;
  TEntry& entry = found->second;
  TDialog& dialog = Make(entry);
  entry.Values = TEditorValues();
  item.ToEditor(entry.Values);
  dialog.Fill(entry.Values);
  ApplyEnabling(entry);
  dialog.OnShown = OnShown;
  if (dialog.ShowModal(owner, helpContext) != TModalResult::mrOK) return false;
  item.FromEditor(entry.Values);
  return true;
}

bool ProcessEnvironmentHas(std::string_view name) {
  const std::wstring wide = Widen(name);
  wchar_t probe[1];
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableW(wide.c_str(), probe, 1);
  return length != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
}

}  // namespace palvetta
