#pragma once
// The editor dialogs of the item classes, shown by one generic window from each class's
// description: made on first use and kept, so a dialog opens where the user left it;
// filled from the item, checked on OK, and read back into the item only when the user
// confirmed.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editors/editor_spec.h"
#include "editors/win/editor_dialog_adapter.h"
#include "editors/win/field_picker_dialog.h"
#include "editors/win/folder_list_dialog.h"
#include "editors/service_enumeration.h"
#include "editors/win/item_editing.h"
#include "editors/win/service_picker_dialog.h"
#include "gui/win/dialog.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TItemEditorDialogs : public IItemEditing {
 public:
  // The dialogs are made in the environment; the lists of computers, services and service
  // groups come from the enumeration (Windows' own when none is given), which must outlive
  // the dialogs.
  explicit TItemEditorDialogs(std::vector<TItemEditorSpec> specs,
                              TFormEnvironment environment = {},
                              IServiceEnumeration* services = nullptr);
  TItemEditorDialogs(const TItemEditorDialogs&) = delete;
  TItemEditorDialogs& operator=(const TItemEditorDialogs&) = delete;

  // Shows the item's dialog modally over the owner, F1 opening the help context; true
  // when the user confirmed and the item took the values. An item of a class without a
  // description has no editor.
  bool Execute(TCustomProjectItem& item, HWND owner, int helpContext = 0);
  bool Edit(TCustomProjectItem& item, HWND owner, int helpContext) override {
    return Execute(item, owner, helpContext);
  }
  // Runs once a dialog is shown, before its loop (tests drive the dialog from here).
  std::function<void(TDialog&)> OnShown;
  // The folder-list picker that "..." beside a list of folders opens.
  TFolderListDialog& FolderList() { return FFolderList; }
  // The field picker that "Add field(s)" of a filter grid opens.
  TFieldPickerDialog& FieldPicker() { return FFieldPicker; }
  // The picker of services and groups that "Add" of a dependency list opens.
  TServicePickerDialog& ServicePicker() { return FServicePicker; }

 private:
  struct TEntry {
    TEditorSpec Spec;
    std::unique_ptr<TDialog> Dialog;
    std::unique_ptr<TEditorDialogAdapter> Adapter;  // the hooks' view of the dialog
    TEditorValues Values;  // what the item put in, then what OK took out
    bool Clearing = false;  // the clearing rules are not to run now
    bool Following = false;  // a value rule is showing its values
  };

  TDialog& Make(TEntry& entry);
  static void ApplyEnabling(TEntry& entry);
  static void ApplyClearing(TEntry& entry, const std::string& clicked);
  static void ApplyValueRule(TEntry& entry, const TValueRule& rule);
  void Browse(TDialog& dialog, const TBrowseButton& browse);
  static void AddFiles(TDialog& dialog, const TBrowseButton& browse);

  std::map<const TClass*, TEntry> FEntries;
  TFormEnvironment FEnvironment;
  TFolderListDialog FFolderList;
  TFieldPickerDialog FFieldPicker;
  TServicePickerDialog FServicePicker;
  std::unique_ptr<IServiceEnumeration> FOwnServices;
  IServiceEnumeration* FServices;
};

// Whether the running program's environment defines the variable.
bool ProcessEnvironmentHas(std::string_view name);

}  // namespace palvetta
