#pragma once
// Every item family there is, from the one list of families: their classes registered by
// name, so that project files can name them, and all their editor dialogs.

#include <span>
#include <vector>

#include "items/item_family.h"
#include "model/class_info.h"

namespace palvetta {

std::span<const TItemFamily* const> ItemFamilies();

void RegisterItemFamilies(TClassRegistry& registry);

// Every item editor dialog there is.
std::vector<TItemEditorSpec> AllEditorSpecs(const TEnvironmentLookup& environmentHas);

}  // namespace palvetta
