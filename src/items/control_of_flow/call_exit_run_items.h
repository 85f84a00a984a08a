#pragma once
// CALL of another batch file, EXIT, and running a program.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/run_param.h"

namespace palvetta {

class TCallItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string BatchFileName;
  std::string BatchFileParams;

  PALVETTA_ITEM_TEXTS
};

class TExitItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string ErrorCode;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TRunProgramItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  TRunParams RunParams;  // only Param and Descr are used

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
