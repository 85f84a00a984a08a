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
#include "model/custom_project_item.h"
#include "shell/win/dialog.h"

namespace palvetta {

class TItemEditorDialogs {
 public:
  explicit TItemEditorDialogs(std::vector<TItemEditorSpec> specs);
  // Removes the editors it installed.
  ~TItemEditorDialogs();
  TItemEditorDialogs(const TItemEditorDialogs&) = delete;
  TItemEditorDialogs& operator=(const TItemEditorDialogs&) = delete;

  // Makes these the editors of their item classes (see item_editors.h).
  void Install();

  // Shows the item's dialog modally over the owner; true when the user confirmed and the
  // item took the values. An item of a class without a description has no editor.
  bool Execute(TCustomProjectItem& item, HWND owner);
  bool HasEditor(const TClass& cls) const { return FEntries.count(&cls) != 0; }

  // The dialog of the class, made when needed (tests look at it).
  TDialog& DialogFor(const TClass& cls);
  // Runs once a dialog is shown, before its loop (tests drive the dialog from here).
  std::function<void(TDialog&)> OnShown;

 private:
  struct TEntry {
    TEditorSpec Spec;
    std::unique_ptr<TDialog> Dialog;
    TEditorValues Values;  // what the item put in, then what OK took out
  };

  TDialog& Make(TEntry& entry);
  static void ApplyEnabling(TEntry& entry);
  static void Browse(TDialog& dialog, const TBrowseButton& browse);

  std::map<const TClass*, TEntry> FEntries;
  bool FInstalled = false;
};

// Whether the running program's environment defines the variable.
bool ProcessEnvironmentHas(std::string_view name);

}  // namespace palvetta
