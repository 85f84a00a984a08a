#pragma once
// A loop over the lines of a text file: the items between the opener and the closer
// form its body and read the current line as %%L.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TFOREachLineInFile : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;

  void DescribeProperties(PropertyVisitor& visitor) override;
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
  bool HasEditor() const override { return true; }
  void ToEditor(TEditorValues& values) const override;
  void FromEditor(const TEditorValues& values) override;
};

class TFOREndItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetHumanReadableText() const override;
  std::string GetBatchText() const override;
};

void RegisterFORItems(TClassRegistry& registry);

}  // namespace palvetta
