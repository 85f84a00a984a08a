#pragma once
// The dialogs of the file and folder items: COPY, MOVE, DEL, ATTRIB, MD, ...

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> FileAndFolderEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kFileAndFolderFamily;

}  // namespace palvetta
