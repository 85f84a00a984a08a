#pragma once
// MD, CD and RMDIR.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TMakeDirItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_TEXTS
};

// Without a path, CD shows the current folder.
class TChangeDirItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  bool Disk = false;  // /D: change the drive too

  PALVETTA_ITEM_TEXTS
};

class TDeleteDirItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Dir;
  bool Quiet = false;
  bool Subdirs = false;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
