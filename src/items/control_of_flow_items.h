#pragma once
// Items that structure a batch file: bookmarks and subroutines.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/run_param.h"

namespace palvetta {

// A bookmark: the label that GOTO and the dispatcher jump to.
class TGotoLabelItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Name;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

// Opens a subroutine: the items after it, up to the next subroutine item, a subroutine
// end item or the end of the project, are its body, which the generator moves behind
// the main part of the batch file.
class TSubroutineItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Name;
  std::string Descr;    // may hold several lines
  TRunParams RunParams;  // the arguments it is called with, and their checks

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

class TSubroutineEndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

void RegisterControlOfFlowItems(TClassRegistry& registry);

}  // namespace palvetta
