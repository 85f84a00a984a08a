#pragma once
// The dialogs of the control-of-flow items.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> ControlOfFlowEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kControlOfFlowFamily;

}  // namespace palvetta
