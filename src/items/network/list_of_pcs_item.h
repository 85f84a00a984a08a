#pragma once
// A list of the computers of the network, one name per line, from "net view". Project
// files may hold it; the palette does not offer it.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// The base class's Overwrite is the item's own "overwrite the list file" switch too.
class TCreateAListOfPCSItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
