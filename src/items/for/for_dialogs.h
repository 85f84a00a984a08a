#pragma once
// The dialog of FOR over the lines of a file.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> ForEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kFORFamily;

}  // namespace palvetta
