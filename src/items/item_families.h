#pragma once
// Registers every item family's classes by name, so that project files can name them.

#include "model/class_info.h"

namespace palvetta {

void RegisterItemFamilies(TClassRegistry& registry);

}  // namespace palvetta
