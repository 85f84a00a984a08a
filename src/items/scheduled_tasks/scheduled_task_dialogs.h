#pragma once
// The dialogs of the SCHTASKS items: creating and changing a task share one of four pages.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> ScheduledTaskEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kScheduledTaskFamily;

}  // namespace palvetta
