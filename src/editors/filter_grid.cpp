#include "editors/filter_grid.h"

#include <algorithm>

namespace palvetta {
namespace {

bool IsCondition(const TStrings& row) { return !row.empty() && !IsBlank(row[0]); }

}  // namespace

TLayoutNode FilterPage(const TFilterGrid& grid) {
  return Page("Filter",
              {Stretched(Grid(grid.Grid,
                              std::vector<TGridColumn>{TGridColumn::Fixed("Field"),
                                                       TGridColumn::PickText("Operation"),
                                                       TGridColumn::Text("Value")},
                              8, 40)),
               Row({Button(grid.AddButton, "Add field(s)"), Button(grid.DeleteButton, "Delete")})});
}

TGridRows WithFieldsAdded(const TGridRows& rows, TFilterDef fields,
                          const std::vector<size_t>& picked) {
  const auto last = std::find_if(rows.rbegin(), rows.rend(), IsCondition);
  TGridRows out(rows.begin(), last.base());
  for (size_t index : picked) {
    if (index >= fields.size()) continue;
    const TFilterFieldDef& field = fields[index];
    out.push_back({std::string(field.FieldName),
                   std::string(FilterOpDisplayName(field.FirstPossibleOp())),
                   field.FirstPossibleValue()});
  }
  out.insert(out.end(), last.base(), rows.end());
  return out;
}

TGridRows WithoutRow(const TGridRows& rows, int index) {
  if (index < 0 || index >= static_cast<int>(rows.size()) ||
      !IsCondition(rows[static_cast<size_t>(index)])) {
    return rows;
  }
  TGridRows out = rows;
  out.erase(out.begin() + index);
  return out;
}

TStrings OperationChoices(TFilterDef fields, std::string_view field) {
  const TFilterFieldDef* def = FindFilterField(fields, field);
  return ListFilterOps(def ? def->PossibleOperations : kAllFilterOps);
}

std::string FieldPickerBox(size_t index) { return "cbxField" + IntToStr(static_cast<long long>(index)); }

TLayoutNode FieldPickerLayout(TFilterDef fields) {
  std::vector<TLayoutNode> boxes;
  for (size_t i = 0; i < fields.size(); ++i) {
    boxes.push_back(Check(FieldPickerBox(i), std::string(fields[i].FieldName)));
  }
  return Dialog({Column(std::move(boxes))});
}

}  // namespace palvetta
