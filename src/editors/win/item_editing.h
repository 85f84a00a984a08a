#pragma once
// How the main window has an item edited: it names the item, the window to own the
// editor and the help page F1 opens there. Items whose class has no editor open nothing.

#include <windows.h>

#include "model/custom_project_item.h"

namespace palvetta {

class IItemEditing {
 public:
  // Shows the item's editor modally; true when the user confirmed and the item took the
  // values, false when the user cancelled or the item has no editor.
  virtual bool Edit(TCustomProjectItem& item, HWND owner, int helpContext) = 0;

 protected:
  ~IItemEditing() = default;
};

}  // namespace palvetta
