#pragma once
// The dialogs of the SC items.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> ServiceControlEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kServiceControlFamily;

}  // namespace palvetta
