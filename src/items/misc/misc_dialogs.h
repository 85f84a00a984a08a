#pragma once
// The dialogs of comments, parameters and variables. The parameter dialog refuses names
// the program's environment defines, as told by the lookup.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> MiscEditorSpecs(const TEnvironmentLookup& environmentHas);

// The family's classes and dialogs.
extern const TItemFamily kMiscFamily;

}  // namespace palvetta
