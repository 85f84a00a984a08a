#pragma once
// Conditions of the form field, operator, value that query tools (TASKLIST, TASKKILL)
// take as /FI "FIELD op value": the operators, the fields a tool knows with the operators
// each allows, and the stored conditions.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/text.h"
#include "gui/editor_values.h"
#include "model/class_info.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TFilterOperation, foEQ, foNE, foGT, foLT, foGE, foLE);

// A set of operations: bit i for ordinal i.
using TFilterOperations = uint32_t;
constexpr TFilterOperations FilterOps(std::initializer_list<TFilterOperation> ops) {
  TFilterOperations set = 0;
  for (TFilterOperation op : ops) set |= uint32_t{1} << static_cast<unsigned>(op);
  return set;
}
inline constexpr TFilterOperations kEqualityOps =
    FilterOps({TFilterOperation::foEQ, TFilterOperation::foNE});
inline constexpr TFilterOperations kAllFilterOps =
    FilterOps({TFilterOperation::foEQ, TFilterOperation::foNE, TFilterOperation::foGT,
               TFilterOperation::foLT, TFilterOperation::foGE, TFilterOperation::foLE});

// "eq", "ne", ... as the tools read them, and "Equal", "Not equal", ... as lists show them.
std::string_view FilterOpKeyword(TFilterOperation op);
std::string_view FilterOpDisplayName(TFilterOperation op);
// The operation of a display name, ignoring case; any other text is "Equal".
TFilterOperation FilterOpFromDisplayName(std::string_view text);
// The display names of the operations in the set, in ordinal order.
TStrings ListFilterOps(TFilterOperations ops);

// A field a tool filters on, the operations it allows and the values it suggests
// (separated by "|", empty when none).
struct TFilterFieldDef {
  std::string_view FieldName;
  TFilterOperations PossibleOperations;
  std::string_view PossibleValues = {};

  // The lowest allowed operation; "Equal" when none is.
  TFilterOperation FirstPossibleOp() const;
  // The first suggested value; empty when there is none.
  std::string FirstPossibleValue() const;
};

// The fields of a tool, in the order its field picker lists them.
using TFilterDef = std::span<const TFilterFieldDef>;

// The definition whose name equals the name ignoring case; nullptr when none does.
const TFilterFieldDef* FindFilterField(TFilterDef def, std::string_view name);

// A stored condition. Its field is kept by name, as typed or loaded, so a condition for a
// field the tool does not know survives loading, editing and saving; only writing the
// command leaves it out.
class TCustomFilterItem : public TPersistent {
 public:
  PALVETTA_CLASS
  std::string FieldName;
  TFilterOperation FilterOperation = TFilterOperation::foEQ;
  std::string Value;
};

using TCustomFilter = TCollection<TCustomFilterItem>;

// Appends a condition on the field with its first allowed operation and first suggested
// value, as the field picker adds one.
TCustomFilterItem& AddFilterCondition(TCustomFilter& filter, const TFilterFieldDef& field);

// Gives every condition whose field the tool knows the definition's spelling of the name
// ("imagename" becomes "IMAGENAME"); conditions on unknown fields stay as they are.
void Relink(TCustomFilter& filter, TFilterDef def);

// " /FI \"FIELD op value\"" for every condition on a known field, in order, the field
// named as the definition spells it and the value as stored.
std::string FilterSwitches(const TCustomFilter& filter, TFilterDef def);

// The conditions as the rows of the filter grid: field, operation's display name, value.
TGridRows FilterRows(const TCustomFilter& filter, TFilterDef def);
// The conditions from the grid's rows: every row with a field, the operation read from
// its display name, field names relinked.
void FilterFromRows(const TGridRows& rows, TCustomFilter& filter, TFilterDef def);

}  // namespace palvetta
