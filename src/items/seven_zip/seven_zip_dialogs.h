#pragma once
// The dialogs of creating and extracting ZIP archives.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> SevenZipEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kSevenZipFamily;

}  // namespace palvetta
