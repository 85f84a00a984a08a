#pragma once
// CHCP, the console's code page, and GRAFTABL, the code page of the extended characters
// in graphics mode.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TCHCPItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string CodePage;  // a code page number, or empty
  std::string Lang;      // kept from files; no dialog shows it

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TGraphTablItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string CodePage;
  std::string Lang;  // kept from files; no dialog shows it
  bool Status = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
