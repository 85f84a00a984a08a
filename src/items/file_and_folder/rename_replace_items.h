#pragma once
// REN of a folder or a file, and REPLACE.

#include <string>
#include <string_view>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// The new name is the last part of Destination: REN takes a name, not a path.
class TRenameDirItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Dir;
  bool Quiet = false;  // kept and edited, but REN has no such switch
  std::string Destination;

  PALVETTA_ITEM_TEXTS
};

class TRenameFileItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;
  std::string Destination;

  PALVETTA_ITEM_TEXTS
};

class TReplaceItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string SrcPath;
  std::string DestPath;
  bool AddNewFiles = false;
  bool PromptConfirm = false;
  bool OverwriteReadOnly = false;
  bool Subdirs = false;
  bool Wait = false;
  bool Old = false;

  PALVETTA_ITEM_TEXTS
};

// The name REN gets from what the user typed as the new name: trimmed, without double
// quotes, one trailing backslash removed, then the part after the last backslash or colon.
std::string NewNameOf(std::string_view destination);

}  // namespace palvetta
