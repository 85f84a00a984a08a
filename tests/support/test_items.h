#pragma once
// Item classes that exist only in tests: a command written exactly as given, and one
// whose text fails, to drive the generator without the item families.

#include <stdexcept>
#include <string>

#include "model/custom_project_item.h"
#include "model/run_param.h"

namespace palvetta::testing {

// Writes Text verbatim and, when set, requests a system block while giving its text.
class TTestCommandItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Text;
  const TClass* RequestedBlock = nullptr;

  std::string GetBatchText() const override;
};

// Every property kind the project file knows, for mapping and round-trip tests.
class TAllKindsItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  int32_t Number = 7;
  int64_t Size = 5000000000;  // past the range of int32_t
  uint8_t Small = 3;
  char16_t Drive = u'C';
  std::string Label = "x";
  TParamCheck Check = TParamCheck::pcRequired;
  uint32_t Attributes = 0b101;  // a set of TFileAttr
  double When = 0.5;
  double Day = 45000;
  double Moment = 45000.25;
  TStrings Lines{"one", "two"};
  TRunParams Params;  // one entry after construction

  TAllKindsItem();
};

class TFailingItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string GetBatchText() const override { throw std::runtime_error("item failed"); }
};

}  // namespace palvetta::testing
