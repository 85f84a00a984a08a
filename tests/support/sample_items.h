#pragma once
// One sample item per item class, with every property away from its default: the golden
// project files of tests/items hold exactly these items, and the editor round trips start
// from them.

#include <functional>
#include <string>
#include <vector>

#include "model/custom_project_item.h"
#include "model/run_param.h"

namespace palvetta::testing {

struct TSampleItem {
  const TClass* Class;
  std::function<void(TCustomProjectItem&)> Fill;
  // Resets what the class's dialog does not show, or fills in for a blank value, as
  // confirming the dialog does.
  std::function<void(TCustomProjectItem&)> ResetByEditor;
};

// A sample for every class of every item family.
const std::vector<TSampleItem>& SampleItems();
// The sample of the class; a class without one fails the test and returns nothing.
const TSampleItem* SampleOf(const TClass& cls);
// Fills the item with its class's sample values.
void FillSample(TCustomProjectItem& item);

// Appends an entry to run parameters.
void AddRunParam(TRunParams& params, const std::string& param, const std::string& descr,
                 TParamCheck check = TParamCheck::pcNoCheck);

}  // namespace palvetta::testing
