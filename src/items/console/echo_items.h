#pragma once
// Messages and the console's state: ECHO of a text, ECHO ON/OFF, CLS and PAUSE.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TEchoMode, emNotSet, emEchoON, emEchoOFF);

class TECHOItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Text;

  PALVETTA_ITEM_TEXTS
};

class TECHOControlItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TEchoMode Mode = TEchoMode::emNotSet;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TClearScreenItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TPressAnyKeyItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
