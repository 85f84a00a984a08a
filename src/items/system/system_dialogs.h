#pragma once
// The dialogs of PATH, SHUTDOWN, ASSOC/FTYPE, SYSTEMINFO, the date and time items, MODE
// COM, TASKLIST and TASKKILL.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> SystemEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kSystemFamily;

}  // namespace palvetta
