#pragma once
// The dialogs of PING, the curl items, the list of PCs, IPCONFIG and NETSTAT.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> NetworkEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kNetworkFamily;

}  // namespace palvetta
