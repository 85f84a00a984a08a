#pragma once
// PUSHD / POPD, and SETLOCAL / ENDLOCAL.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TEnableExtensions, eeNoChange, eeEnable, eeDisable);
PALVETTA_ENUM(TEnableDelayedExpansion, edeNoChange, edeEnable, edeDisable);

class TPushdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_TEXTS
};

class TPopdItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TSetLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TEnableExtensions EnableExtensions = TEnableExtensions::eeNoChange;
  TEnableDelayedExpansion EnableDelayedExpansion = TEnableDelayedExpansion::edeNoChange;

  PALVETTA_ITEM_TEXTS
};

class TEndLocalItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
