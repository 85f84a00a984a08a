#pragma once
// A loop over the lines of a text file: the items between the opener and the closer
// form its body and read the current line as %%L.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TFOREachLineInFile : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;

  PALVETTA_ITEM_WITH_EDITOR
};

class TFOREndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

void RegisterFORItems(TClassRegistry& registry);

}  // namespace palvetta
