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

  PALVETTA_ITEM_TEXTS
};

class TFOREndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kFORItemClasses[] = {&TFOREachLineInFile::Class, &TFOREndItem::Class};

}  // namespace palvetta
