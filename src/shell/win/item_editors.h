#pragma once
// The editor dialog of each item class. The editors are installed by class at start-up;
// the main window opens the one of an item's exact class, and an item without one has
// nothing to edit.

#include <windows.h>

#include <functional>

#include "model/custom_project_item.h"

namespace palvetta {

// Shows the editor for the item modally; true when the user confirmed and the item
// took the values.
using TItemEditor = std::function<bool(TCustomProjectItem& item, HWND owner)>;

// A second editor for a class replaces the first; an empty one removes it.
void InstallItemEditor(const TClass& cls, TItemEditor editor);
bool HasItemEditor(const TClass& cls);
// Opens the editor of the item's class; false when it has none or the user cancelled.
bool ExecEditor(TCustomProjectItem& item, HWND owner);

}  // namespace palvetta
