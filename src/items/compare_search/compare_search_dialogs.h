#pragma once
// The dialogs of FC, COMP, FIND, FINDSTR, PRINT, VERIFY, SORT and writing to a file.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> CompareSearchEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kCompareSearchFamily;

}  // namespace palvetta
