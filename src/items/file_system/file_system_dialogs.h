#pragma once
// The dialogs of the drive and file-system items: CHKDSK, FORMAT, LABEL, DIR, ...

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> FileSystemEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kFileSystemFamily;

}  // namespace palvetta
