#include "model/filter_conditions.h"

#include <array>

#include "model/field_table.h"
#include "model/procs.h"

namespace palvetta {
namespace {

struct TOpNames {
  std::string_view Keyword;
  std::string_view Display;
};

// In the order of TFilterOperation.
constexpr std::array<TOpNames, 6> kOpNames = {{{"eq", "Equal"},
                                               {"ne", "Not equal"},
                                               {"gt", "Greater than"},
                                               {"lt", "Less than"},
                                               {"ge", "Greater or Equal"},
                                               {"le", "Less or Equal"}}};

TOpNames NamesOf(TFilterOperation op) {
  const auto index = static_cast<size_t>(op);
  return index < kOpNames.size() ? kOpNames[index] : TOpNames{};
}

bool Allows(TFilterOperations ops, size_t ordinal) { return (ops >> ordinal) & 1U; }

using namespace fields;

constexpr TField kConditionFields[] = {
    Text<&TCustomFilterItem::FieldName>("FieldName"),
    Enum<&TCustomFilterItem::FilterOperation>("FilterOperation"),
    Text<&TCustomFilterItem::Value>("Value"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TCustomFilterItem, TPersistent, kConditionFields);

std::string_view FilterOpKeyword(TFilterOperation op) { return NamesOf(op).Keyword; }
std::string_view FilterOpDisplayName(TFilterOperation op) { return NamesOf(op).Display; }

TFilterOperation FilterOpFromDisplayName(std::string_view text) {
  for (size_t i = 0; i < kOpNames.size(); ++i) {
    if (SameTextAscii(text, kOpNames[i].Display)) return static_cast<TFilterOperation>(i);
  }
  return TFilterOperation::foEQ;
}

TStrings ListFilterOps(TFilterOperations ops) {
  TStrings names;
  for (size_t i = 0; i < kOpNames.size(); ++i) {
    if (Allows(ops, i)) names.emplace_back(kOpNames[i].Display);
  }
  return names;
}

TFilterOperation TFilterFieldDef::FirstPossibleOp() const {
  for (size_t i = 0; i < kOpNames.size(); ++i) {
    if (Allows(PossibleOperations, i)) return static_cast<TFilterOperation>(i);
  }
  return TFilterOperation::foEQ;
}

std::string TFilterFieldDef::FirstPossibleValue() const {
  return GetLineOfText(PossibleValues, 0, "|");
}

const TFilterFieldDef* FindFilterField(TFilterDef def, std::string_view name) {
  for (const TFilterFieldDef& field : def) {
    if (SameTextAscii(field.FieldName, name)) return &field;
  }
  return nullptr;
}

TCustomFilterItem& AddFilterCondition(TCustomFilter& filter, const TFilterFieldDef& field) {
  TCustomFilterItem& condition = filter.Add();
  condition.FieldName = std::string(field.FieldName);
  condition.FilterOperation = field.FirstPossibleOp();
  condition.Value = field.FirstPossibleValue();
  return condition;
}

void Relink(TCustomFilter& filter, TFilterDef def) {
  for (TCustomFilterItem& condition : filter) {
    if (const TFilterFieldDef* field = FindFilterField(def, condition.FieldName)) {
      condition.FieldName = std::string(field->FieldName);
    }
  }
}

std::string FilterSwitches(const TCustomFilter& filter, TFilterDef def) {
  std::string text;
  for (const TCustomFilterItem& condition : filter) {
    const TFilterFieldDef* field = FindFilterField(def, condition.FieldName);
    if (!field) continue;
    text += " /FI \"" + std::string(field->FieldName) + " " +
            std::string(FilterOpKeyword(condition.FilterOperation)) + " " + condition.Value + "\"";
  }
  return text;
}

TGridRows FilterRows(const TCustomFilter& filter, TFilterDef def) {
  TGridRows rows;
  for (const TCustomFilterItem& condition : filter) {
    const TFilterFieldDef* field = FindFilterField(def, condition.FieldName);
    rows.push_back({field ? std::string(field->FieldName) : condition.FieldName,
                    std::string(FilterOpDisplayName(condition.FilterOperation)), condition.Value});
  }
  return rows;
}

void FilterFromRows(const TGridRows& rows, TCustomFilter& filter, TFilterDef def) {
  filter.Clear();
  for (const TStrings& row : rows) {
    if (row.empty() || IsBlank(row[0])) continue;
    TCustomFilterItem& condition = filter.Add();
    condition.FieldName = row[0];
    condition.FilterOperation = FilterOpFromDisplayName(row.size() > 1 ? row[1] : std::string());
    condition.Value = row.size() > 2 ? row[2] : std::string();
  }
  Relink(filter, def);
}

}  // namespace palvetta
