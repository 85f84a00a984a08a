#pragma once
// The dialogs of the ICACLS items.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> AccessControlEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kAccessControlFamily;

}  // namespace palvetta
