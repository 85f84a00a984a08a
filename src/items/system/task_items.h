#pragma once
// TASKLIST and TASKKILL: processes here or on another computer, selected by conditions
// on their fields (/FI).

#include <string>

#include "base/text.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/filter_conditions.h"
#include "model/types.h"

namespace palvetta {

// The fields both tools filter on, in the order the field picker lists them.
TFilterDef TaskFilterFields();

// What both task items share: the remote computer and the conditions.
class TCustomTaskItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string System;
  std::string User;
  std::string Password;
  TCustomFilter Filter;

 protected:
  std::string SystemParams() const;
  std::string FilterParams() const;
  void SpecialToEditor(TEditorValues& values) const override;
  void SpecialFromEditor(const TEditorValues& values) override;
};

class TTaskListItem : public TCustomTaskItem {
 public:
  PALVETTA_CLASS
  std::string Module;
  bool Verbose = false;
  bool Svc = false;
  bool NoHeader = false;
  TOutputFormat OutputFormat = TOutputFormat::ofTable;

  PALVETTA_ITEM_TEXTS
};

class TTaskKillItem : public TCustomTaskItem {
 public:
  PALVETTA_CLASS
  TStrings PID;  // one process id per line
  TStrings IM;   // one image name per line
  bool Terminate = false;
  bool Force = false;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
