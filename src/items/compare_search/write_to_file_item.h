#pragma once
// Writes a variable's value or a text into a file, as a line of its own.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TWriteToFileMode, wtfVar, wtfText);

class TWriteToFileItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  std::string Text;
  std::string VarName;
  // Replace the file rather than append to it. It hides the redirection flag of the
  // base, and files store it in that flag's place: the base flag of this item is never
  // saved and is false after loading.
  bool Overwrite = false;
  TWriteToFileMode Mode = TWriteToFileMode::wtfVar;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
