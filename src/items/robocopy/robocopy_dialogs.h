#pragma once
// The dialog of the ROBOCOPY item.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> RobocopyEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kRobocopyFamily;

}  // namespace palvetta
