#pragma once
// The values of an item's editor dialog, by field name: what an item copies into its
// dialog before showing it, and takes back when the user confirmed. Dialogs bind their
// controls to these fields by name; items never see a control. Field names carry the
// control's type prefix: edt (one-line field), mem (memo), cmb (list; its index is the
// enumeration's ordinal, its text the typed text), cbx (check box), rbn (radio button),
// sbn or sed (number field), vst (grid), dtp (date picker; days since 1899-12-30), lbx
// (list box; its entries), att (a row of a three-state grid; the state's ordinal), dcb
// (drive combo; the drive letter, or the drive root of a list of free drives), ted (time
// picker; the time of day as a fraction of a day, set and read like a date).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/text.h"

namespace palvetta {

using TGridRows = std::vector<TStrings>;  // the cells of each row, in column order

class TEditorValues {
 public:
  void SetText(std::string_view field, std::string value) { Set(field, std::move(value)); }
  void SetChecked(std::string_view field, bool value) { Set(field, value); }
  void SetIndex(std::string_view field, int value) { Set(field, value); }
  // A number field's value that may pass the range of int (byte sizes).
  void SetLargeNumber(std::string_view field, int64_t value) { Set(field, value); }
  void SetRows(std::string_view field, TGridRows rows) { Set(field, std::move(rows)); }
  void SetDate(std::string_view field, double value) { Set(field, value); }
  void SetEntries(std::string_view field, TStrings entries) { Set(field, std::move(entries)); }
  // The entries a list offers (bookmarks, variables, ...), kept apart from its value.
  void SetChoices(std::string_view field, TStrings choices);

  // A field that was never set, or set as another kind, is a binding fault and raises
  // std::logic_error.
  const std::string& Text(std::string_view field) const { return Get<std::string>(field); }
  bool Checked(std::string_view field) const { return Get<bool>(field); }
  int Index(std::string_view field) const { return Get<int>(field); }
  int64_t LargeNumber(std::string_view field) const { return Get<int64_t>(field); }
  // Whether the field was set as a large number, so that a number field gives its value
  // back in the kind it received.
  bool HoldsLargeNumber(std::string_view field) const;
  const TGridRows& Rows(std::string_view field) const { return Get<TGridRows>(field); }
  double Date(std::string_view field) const { return Get<double>(field); }
  const TStrings& Entries(std::string_view field) const { return Get<TStrings>(field); }
  const TStrings& Choices(std::string_view field) const;

  bool Has(std::string_view field) const { return FValues.count(std::string(field)) != 0; }
  bool HasChoices(std::string_view field) const { return FChoices.count(std::string(field)) != 0; }
  // The names of the fields set, in name order.
  std::vector<std::string> Fields() const;

 private:
  using Value = std::variant<std::string, bool, int, int64_t, TGridRows, double, TStrings>;

  void Set(std::string_view field, Value value);
  template <class T>
  const T& Get(std::string_view field) const;

  std::map<std::string, Value> FValues;
  std::map<std::string, TStrings> FChoices;
};

}  // namespace palvetta
