#pragma once
// The items that give a path another name: SUBST (a drive letter) and MKLINK (a link).

#include <string>

#include "items/file_system/file_system_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TSubstItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Drive;  // a drive root such as "E:\"
  std::string Path;
  bool Delete = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TMKLinkItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Link;
  std::string Target;
  TMKLinkMode MKLinkMode = TMKLinkMode::mklmSimple;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
