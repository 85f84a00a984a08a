#pragma once
// One item family's record: the classes of its items, which project files name, and the
// editor dialogs of those that have settings. A family defines its record in its own
// folder and is named once in item_family_list.inc.

#include <span>
#include <vector>

#include "editors/editor_spec.h"
#include "model/class_info.h"

namespace palvetta {

struct TItemFamily {
  std::span<const TClass* const> Classes;
  // The lookup tells which variables the program's environment defines (a dialog may
  // refuse such names).
  std::vector<TItemEditorSpec> (*Dialogs)(const TEnvironmentLookup& environmentHas);
};

}  // namespace palvetta
