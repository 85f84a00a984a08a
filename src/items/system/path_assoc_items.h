#pragma once
// The executable search path (PATH) and file associations (ASSOC, FTYPE).

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// Puts a folder in front of the search path for executable files.
class TPathItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_TEXTS
};

// Associates file name extensions with a file type that opens them with a program.
class TOpenExtItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Ext;  // extensions separated by ";", with or without their dot
  std::string Name;  // the file type
  std::string ExeName;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
