#include "items/control_of_flow/if_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

constexpr TField kIfFields[] = {fields::Text<&TIfItem::Condition>("Condition", "edtCondition")};

}  // namespace

PALVETTA_DEFINE_CLASS(TIfItem, TCustomProjectItem, kIfFields);
PALVETTA_DEFINE_CLASS(TElseItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TIfEndItem, TCustomProjectItem);

std::string TIfItem::GetHumanReadableText() const {
  return "IF " + OrPlaceholder(Condition, "<u>unspecified condition</u>");
}

// The condition is batch syntax the user writes; only a line break could turn part of
// it into a command of its own.
std::string TIfItem::GetBatchText() const { return "IF " + OneLine(Condition) + " ("; }

std::string TElseItem::GetHumanReadableText() const { return "ELSE"; }
std::string TElseItem::GetBatchText() const { return ") ELSE ("; }

std::string TIfEndItem::GetHumanReadableText() const { return "End of IF (End of ELSE)"; }
std::string TIfEndItem::GetBatchText() const { return ")"; }

}  // namespace palvetta
