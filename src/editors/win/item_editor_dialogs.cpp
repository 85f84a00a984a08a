#include "editors/win/item_editor_dialogs.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "base/win/wide.h"
#include "editors/win/windows_service_enumeration.h"
#include "gui/win/controls/list_control.h"
#include "gui/win/ui_seams.h"

namespace palvetta {

TItemEditorDialogs::TItemEditorDialogs(std::vector<TItemEditorSpec> specs,
                                       TFormEnvironment environment,
                                       IServiceEnumeration* services)
    : FEnvironment(std::move(environment)),
      FFolderList(FEnvironment),
      FFieldPicker(FEnvironment),
      FServicePicker(FEnvironment),
      FOwnServices(services ? nullptr : std::make_unique<TWindowsServiceEnumeration>()),
      FServices(services ? services : FOwnServices.get()) {
  for (TItemEditorSpec& spec : specs) {
    if (!FEntries.emplace(spec.ItemClass, TEntry{std::move(spec.Spec), nullptr, nullptr, {}})
             .second) {
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
  entry.Adapter = std::make_unique<TEditorDialogAdapter>(
      dialog, TEditorDialogSystem{FFieldPicker, FServicePicker, *FServices});
  TDialogHandlers& handlers = entry.Adapter->Handlers();
  for (const TBrowseButton& browse : entry.Spec.Browse) {
    handlers.Add(TControlEvent::ceClick, browse.Button,
                 [this, &dialog, &browse] { Browse(dialog, browse); });
  }
  // A check box may clear others and enable controls, in that order, so the enabling
  // sees the boxes the clearing left. A click on a radio button also clears the others
  // of its group, which report no click: any of them may change what a rule enables.
  std::set<std::string> ruled;
  for (const TClearRule& rule : entry.Spec.Clearing) ruled.insert(rule.CheckBox);
  for (const std::string& name : RuleTriggers(entry.Spec)) ruled.insert(name);
  for (const std::string& box : ruled) {
    handlers.Add(TControlEvent::ceClick, box, [&entry, box] {
      // The boxes a rule clears run their own handlers: only the user's click clears.
      if (!entry.Clearing) {
        entry.Clearing = true;
        ApplyClearing(entry, box);
        entry.Clearing = false;
      }
    }, true);
  }
  // A list's change runs the enabling rules.
  for (const TEnableRule& rule : entry.Spec.Enabling) {
    if (rule.ByIndex()) handlers.Add(TControlEvent::ceChange, rule.CheckBox, [] {}, true);
  }
  for (const TListButtons& buttons : entry.Spec.ListEditing) {
    handlers.Add(TControlEvent::ceClick, buttons.AddButton, [&dialog, &buttons] {
      for (const std::string& text : EntriesToAdd(buttons, dialog.Text(buttons.Field))) {
        dialog.ListBox(buttons.List).Append(text);
      }
    });
    handlers.Add(TControlEvent::ceClick, buttons.RemoveButton,
                 [&dialog, &buttons] { dialog.ListBox(buttons.List).DeleteSelected(); });
  }
  // A value rule's trigger may also be a rule's check box or list: the value rule then
  // takes the place of that rule's handler.
  for (const TValueRule& rule : entry.Spec.ValueRules) {
    for (const std::string& trigger : rule.Triggers) {
      const auto follow = [&entry, &rule] { ApplyValueRule(entry, rule); };
      handlers.Replace(TControlEvent::ceClick, trigger, follow, true);
      handlers.Replace(TControlEvent::ceChange, trigger, follow, true);
    }
  }
  for (const TDialogHook& hook : entry.Spec.Hooks) hook.Attach(*entry.Adapter);
  entry.Adapter->AttachHandlers([&entry] { ApplyEnabling(entry); });
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
  std::map<std::string, bool> enabled;
  for (const TEnableRule& rule : entry.Spec.Enabling) {
    bool condition = rule.ByIndex() ? rule.EnabledAt(entry.Dialog->Index(rule.CheckBox))
                                    : entry.Dialog->Checked(rule.CheckBox);
    for (const std::string& box : rule.OrChecked) condition = condition || entry.Dialog->Checked(box);
    const bool holds = (rule.Inverse != condition) &&
                       (rule.AlsoChecked.empty() || entry.Dialog->Checked(rule.AlsoChecked));
    for (const std::string& control : rule.Controls) {
      const auto [at, added] = enabled.emplace(control, holds);
      if (!added) at->second = at->second && holds;
    }
  }
  for (const auto& [control, on] : enabled) entry.Dialog->SetEnabled(control, on);
}

void TItemEditorDialogs::ApplyClearing(TEntry& entry, const std::string& clicked) {
  TDialog& dialog = *entry.Dialog;
  for (const TClearRule& rule : entry.Spec.Clearing) {
    if (rule.CheckBox != clicked) continue;
    const bool condition = std::any_of(rule.WhileAnyChecked.begin(), rule.WhileAnyChecked.end(),
                                       [&dialog](const std::string& box) { return dialog.Checked(box); });
    if (!condition) continue;
    for (const std::string& box : rule.Clears) dialog.SetChecked(box, false);
  }
}

void TItemEditorDialogs::ApplyValueRule(TEntry& entry, const TValueRule& rule) {
  // Showing the values may click a box whose handler is a rule again.
  if (entry.Following) return;
  entry.Following = true;
  TEditorValues values;
  entry.Dialog->Read(values);
  rule.Apply(values);
  entry.Dialog->Fill(values);
  entry.Following = false;
}

// Each chosen file on a line of its own after what the memo holds.
void TItemEditorDialogs::AddFiles(TDialog& dialog, const TBrowseButton& browse) {
  TFileDialogArgs args;
  args.Owner = dialog.Handle();
  args.Title = browse.Title;
  args.Filter = browse.Filter;
  std::optional<TStrings> chosen;
  if (browse.Multiple) {
    chosen = PickFilesToOpen(args);
  } else if (std::optional<std::string> file = PickFileToOpen(args)) {
    chosen = TStrings{*file};
  }
  if (!chosen || chosen->empty()) return;
  std::string text = dialog.Text(browse.Field);
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  for (const std::string& file : *chosen) text += file + "\r\n";
  dialog.SetText(browse.Field, text);
}

void TItemEditorDialogs::Browse(TDialog& dialog, const TBrowseButton& browse) {
  if (browse.Kind == TBrowseKind::bkAddFiles) {
    AddFiles(dialog, browse);
    return;
  }
  std::optional<std::string> chosen;
  const bool fileInstead =
      std::any_of(browse.FileWhenChecked.begin(), browse.FileWhenChecked.end(),
                  [&dialog](const std::string& radio) { return dialog.Checked(radio); });
  if (browse.Kind == TBrowseKind::bkFolder && !fileInstead) {
    chosen = PickFolder(dialog.Handle(), browse.Title, dialog.Text(browse.Field));
  } else if (browse.Kind == TBrowseKind::bkComputer) {
    chosen = PickComputer(dialog.Handle(), browse.Title);
  } else if (browse.Kind == TBrowseKind::bkFolderList) {
    chosen = FFolderList.Execute(dialog.Handle(), dialog.Text(browse.Field));
  } else {
    TFileDialogArgs args;
    args.Owner = dialog.Handle();
    args.Title = browse.Title;
    args.Filter = browse.Filter;
    args.DefaultExt = browse.DefaultExt;
    args.InitialName = dialog.Text(browse.Field);
    if (browse.Kind == TBrowseKind::bkSaveFile) {
      chosen = PickFileToSave(args);
    } else if (!browse.Multiple) {
      chosen = PickFileToOpen(args);
    } else if (std::optional<TStrings> files = PickFilesToOpen(args); files && !files->empty()) {
      chosen = JoinWith(*files, ";");
    }
  }
  if (!chosen) return;
  dialog.SetText(browse.Field, *chosen);
  if (!browse.ChecksOnPick.empty()) dialog.SetChecked(browse.ChecksOnPick, true);
}

bool TItemEditorDialogs::Execute(TCustomProjectItem& item, HWND owner, int helpContext) {
  const auto found = FEntries.find(&item.ClassType());
  if (found == FEntries.end()) return false;
  TEntry& entry = found->second;
  TDialog& dialog = Make(entry);
  entry.Values = TEditorValues();
  item.ToEditor(entry.Values);
  // The item's values are shown as they are, even a combination a click would clear.
  entry.Clearing = true;
  dialog.Fill(entry.Values);
  entry.Clearing = false;
  entry.Adapter->RunShowHandlers();
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
