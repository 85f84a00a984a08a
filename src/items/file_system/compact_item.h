#pragma once
// COMPACT: compresses or uncompresses files, a list of them or a folder tree.

#include <string>
#include <vector>

#include "items/file_system/file_system_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TCompactItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::vector<std::string> Files;  // files, folders or wildcards, one per entry
  TCompactMode CompactMode = TCompactMode::cmCompress;
  std::string InFolderAndSubfolders;
  bool HiddenAndSystem = false;
  bool IgnoreErrors = false;
  bool CompressCompressed = false;
  bool Quiet = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
