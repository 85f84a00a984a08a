#pragma once
// Finding what the dialog tests look at: a class's dialog description among every
// family's dialogs, and a control of a layout by its name.

#include <string>

#include "editors/editor_spec.h"
#include "model/class_info.h"

namespace palvetta {

// The description of the class's dialog; throws when the class has none.
const TEditorSpec& SpecOf(const TClass& cls);

// The node of that name in the layout's tree, or null.
const TLayoutNode* NodeNamed(const TLayoutNode& node, const std::string& name);

}  // namespace palvetta
