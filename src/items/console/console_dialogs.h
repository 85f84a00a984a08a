#pragma once
// The dialogs of the console items: messages, colours, questions and menus, the prompt
// with its special codes, TYPE, the title and the code pages.

#include <vector>

#include "items/item_family.h"

namespace palvetta {

std::vector<TItemEditorSpec> ConsoleEditorSpecs();

// The family's classes and dialogs.
extern const TItemFamily kConsoleFamily;

}  // namespace palvetta
