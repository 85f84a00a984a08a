#include "editors/win/item_editor_dialogs.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "base/win/wide.h"
#include "editors/filter_grid.h"
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
  entry.ServersLoaded = false;
  TDialog& dialog = *entry.Dialog;
  BindSystemLists(entry);
  for (const TBrowseButton& browse : entry.Spec.Browse) {
    dialog.OnClick(browse.Button, [this, &dialog, &browse] { Browse(dialog, browse); });
  }
  // A check box may clear others and enable controls; one handler does both, in that
  // order, so the enabling sees the boxes the clearing left. A click on a radio button
  // also clears the others of its group, which report no click: any of them may change
  // what a rule enables.
  std::set<std::string> ruled;
  for (const TClearRule& rule : entry.Spec.Clearing) ruled.insert(rule.CheckBox);
  for (const std::string& name : RuleTriggers(entry.Spec)) ruled.insert(name);
  for (const std::string& box : ruled) {
    dialog.OnClick(box, [&entry, box] {
      // The boxes a rule clears run their own handlers: only the user's click clears.
      if (!entry.Clearing) {
        entry.Clearing = true;
        ApplyClearing(entry, box);
        entry.Clearing = false;
      }
      ApplyEnabling(entry);
    });
  }
  // A list's change refills the lists that depend on it, then runs the enabling rules.
  std::set<std::string> changing;
  for (const TEnableRule& rule : entry.Spec.Enabling) {
    if (rule.ByIndex()) changing.insert(rule.CheckBox);
  }
  for (const TEntriesRule& rule : entry.Spec.EntriesRules) changing.insert(rule.Source);
  for (const std::string& list : changing) {
    dialog.OnChange(list, [&entry, list] {
      ApplyEntries(entry, list);
      ApplyEnabling(entry);
    });
  }
  if (!entry.Spec.CollapseButton.empty()) {
    dialog.OnClick(entry.Spec.CollapseButton, [&dialog] { dialog.CollapseAllPanels(); });
  }
  for (const TListButtons& buttons : entry.Spec.ListEditing) {
    dialog.OnClick(buttons.AddButton, [&dialog, &buttons] {
      for (const std::string& text : EntriesToAdd(buttons, dialog.Text(buttons.Field))) {
        dialog.ListBox(buttons.List).Append(text);
      }
    });
    dialog.OnClick(buttons.RemoveButton,
                   [&dialog, &buttons] { dialog.ListBox(buttons.List).DeleteSelected(); });
  }
  for (const TInsertButton& insert : entry.Spec.Inserting) {
    dialog.OnClick(insert.Button, [&dialog, &insert] { Insert(dialog, insert); });
  }
  // A value rule's trigger may also be a rule's check box or list: the rule's handler
  // then takes its place and applies the enabling rules after its values.
  for (const TValueRule& rule : entry.Spec.ValueRules) {
    for (const std::string& trigger : rule.Triggers) {
      const auto follow = [&entry, &rule] {
        ApplyValueRule(entry, rule);
        ApplyEnabling(entry);
      };
      dialog.OnClick(trigger, follow);
      dialog.OnChange(trigger, follow);
    }
  }
  if (entry.Spec.FilterGrid) BindFilterGrid(dialog, *entry.Spec.FilterGrid);
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

// Every rule of the source, or of every source when it is empty.
void TItemEditorDialogs::ApplyEntries(TEntry& entry, const std::string& source) {
  for (const TEntriesRule& rule : entry.Spec.EntriesRules) {
    if (!source.empty() && rule.Source != source) continue;
    entry.Dialog->SetEntries(rule.Target, rule.Entries(entry.Dialog->Index(rule.Source)));
  }
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

// The field keeps its selection while the button has the focus; the code replaces it,
// and the field gets the focus back to go on typing.
void TItemEditorDialogs::Insert(TDialog& dialog, const TInsertButton& insert) {
  const int index = dialog.Index(insert.List);
  if (index < 0 || static_cast<size_t>(index) >= insert.Codes.size()) return;
  const HWND field = dialog.Control(insert.Field);
  const std::wstring code = Widen(insert.Codes[static_cast<size_t>(index)]);
  SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(code.c_str()));
  SetFocus(field);
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

void TItemEditorDialogs::BindFilterGrid(TDialog& dialog, const TFilterGrid& grid) {
  TEditGrid& cells = dialog.EditGrid(grid.Grid);
  cells.SetRowChoices(1, [&cells, fields = grid.Fields](int row) {
    return OperationChoices(fields, cells.GetCell(0, row));
  });
  dialog.OnClick(grid.AddButton, [this, &dialog, &grid] {
    const std::optional<std::vector<size_t>> picked = FFieldPicker.Execute(dialog.Handle(), grid.Fields);
    if (!picked || picked->empty()) return;
    dialog.SetRows(grid.Grid, WithFieldsAdded(dialog.Rows(grid.Grid), grid.Fields, *picked));
  });
  dialog.OnClick(grid.DeleteButton, [&dialog, &grid] {
    dialog.SetRows(grid.Grid, WithoutRow(dialog.Rows(grid.Grid), dialog.Index(grid.Grid)));
  });
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

namespace {

// The list's entries anew, the hourglass showing while the system is asked; the text typed
// into the box stays.
void Refill(TDialog& dialog, const std::string& combo,
            const std::function<std::optional<TStrings>()>& entries) {
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  const std::optional<TStrings> fresh = entries();
  SetCursor(previous);
  if (fresh) dialog.SetEntries(combo, *fresh);
}

}  // namespace

void TItemEditorDialogs::BindSystemLists(TEntry& entry) {
  TDialog& dialog = *entry.Dialog;
  for (const TSystemListSource& source : entry.Spec.SystemLists) {
    if (source.List == TSystemList::slNetworkServers) {
      dialog.OnDropDown(source.Combo, [this, &entry, &dialog, &source] {
        if (entry.ServersLoaded) return;
        entry.ServersLoaded = true;
        Refill(dialog, source.Combo, [this] { return NetworkServers(*FServices); });
      });
    } else if (source.List == TSystemList::slServices) {
      dialog.OnFocus(source.Combo, [this, &dialog, &source] {
        Refill(dialog, source.Combo, [this, &dialog, &source] {
          return ListServices(*FServices, dialog.Text(source.MachineField)).value_or(TStrings{});
        });
      });
    }
  }
  for (const TServicePickerButton& picker : entry.Spec.ServicePickers) {
    dialog.OnClick(picker.Button, [this, &dialog, &picker] { PickDependencies(dialog, picker); });
    dialog.OnClick(picker.RemoveButton,
                   [&dialog, &picker] { dialog.ListBox(picker.List).DeleteSelected(); });
  }
}

// Before the dialog shows: the services of the computer it names and this computer's
// service groups (a group list that cannot be read keeps its entries).
void TItemEditorDialogs::RefillSystemLists(TEntry& entry) {
  TDialog& dialog = *entry.Dialog;
  for (const TSystemListSource& source : entry.Spec.SystemLists) {
    if (source.List == TSystemList::slServices) {
      Refill(dialog, source.Combo, [this, &dialog, &source] {
        return ListServices(*FServices, dialog.Text(source.MachineField)).value_or(TStrings{});
      });
    } else if (source.List == TSystemList::slServiceGroups) {
      Refill(dialog, source.Combo, [this] { return ServiceGroups(*FServices); });
    }
  }
}

void TItemEditorDialogs::PickDependencies(TDialog& dialog, const TServicePickerButton& picker) {
  const TStrings services =
      ListServices(*FServices, dialog.Text(picker.MachineField)).value_or(TStrings{});
  const std::optional<TPickedDependencies> picked =
      FServicePicker.Execute(dialog.Handle(), services, dialog.Entries(picker.GroupCombo));
  if (!picked) return;
  TListControl& list = dialog.ListBox(picker.List);
  list.SetEntries(AddDependencies(list.Entries(), picked->Services, picked->Groups));
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
  ApplyEntries(entry, {});
  ApplyEnabling(entry);
  RefillSystemLists(entry);
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
