#pragma once
// The dialogs of DRIVERQUERY, GPRESULT and the OPENFILES items.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> RemoteQueryEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kRemoteQueryFamily;

}  // namespace palvetta
