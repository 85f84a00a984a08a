#pragma once
// IF, ELSE and the end of an IF block. Nothing checks that blocks are balanced: an IF
// item writes only its opening line, the end item only ")".

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TIfItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Condition;

  PALVETTA_ITEM_TEXTS
};

// The fixed items: a text of their own and no settings.
class TElseItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TIfEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
