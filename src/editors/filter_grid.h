#pragma once
// The filter grid of the task dialogs, as data and as what its buttons do to its rows:
// the page that holds it, the rows the field picker adds, the row "Delete" removes, the
// operations a row's field offers, and the field picker's own layout.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editors/editor_spec.h"
#include "model/filter_conditions.h"

namespace palvetta {

// A grid of conditions on fields (field, operation, value) with a button that adds rows
// for the fields picked from a list and one that deletes the selected row. The operation
// cell offers what the row's field allows.
struct TFilterGrid {
  std::string Grid = {};
  std::string AddButton = {};
  std::string DeleteButton = {};
  TFilterDef Fields = {};
};

// The "Filter" page: the grid (field, operation, value) and its two buttons.
TLayoutNode FilterPage(const TFilterGrid& grid);

// The rows with one row per picked field (indexes into the fields) after the last
// condition: its first allowed operation and its first suggested value. The grid's empty
// rows below the conditions stay below them.
TGridRows WithFieldsAdded(const TGridRows& rows, TFilterDef fields,
                          const std::vector<size_t>& picked);
// The rows without the one at the index; unchanged when the index holds no condition.
TGridRows WithoutRow(const TGridRows& rows, int index);
// The operations the field allows, by display name; all of them for a field the grid does
// not know.
TStrings OperationChoices(TFilterDef fields, std::string_view field);

// The field picker: one check box per field, named FieldPickerBox(index).
TLayoutNode FieldPickerLayout(TFilterDef fields);
std::string FieldPickerBox(size_t index);

}  // namespace palvetta
