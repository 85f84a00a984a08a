#include "support/fake_editor_dialog.h"

#include <algorithm>
#include <stdexcept>

namespace palvetta::testing {
namespace {

void Collect(const TLayoutNode& node, std::map<std::string, TLayoutKind, std::less<>>& kinds) {
  if (!node.Name.empty()) kinds[node.Name] = node.Kind;
  for (const TLayoutNode& child : node.Children) Collect(child, kinds);
}

void CollectEntries(const TLayoutNode& node, TFakeEditorDialog& dialog) {
  if (node.Kind == TLayoutKind::lkCombo) dialog.ComboEntries[node.Name] = node.Entries;
  if (node.Kind == TLayoutKind::lkList) dialog.ListBoxEntries[node.Name] = node.Entries;
  for (const TLayoutNode& child : node.Children) CollectEntries(child, dialog);
}

template <class Map>
auto ValueOr(const Map& map, std::string_view key, typename Map::mapped_type fallback) {
  const auto found = map.find(key);
  return found == map.end() ? fallback : found->second;
}

constexpr std::initializer_list<TLayoutKind> kClickable = {
    TLayoutKind::lkButton, TLayoutKind::lkCheck, TLayoutKind::lkRadio};
constexpr std::initializer_list<TLayoutKind> kTexts = {
    TLayoutKind::lkEdit, TLayoutKind::lkMemo, TLayoutKind::lkCombo, TLayoutKind::lkNumber};
constexpr std::initializer_list<TLayoutKind> kFields = {TLayoutKind::lkEdit, TLayoutKind::lkMemo};
constexpr std::initializer_list<TLayoutKind> kIndexed = {
    TLayoutKind::lkCombo, TLayoutKind::lkDriveCombo, TLayoutKind::lkList, TLayoutKind::lkGrid};
constexpr std::initializer_list<TLayoutKind> kCombo = {TLayoutKind::lkCombo};
constexpr std::initializer_list<TLayoutKind> kList = {TLayoutKind::lkList};
constexpr std::initializer_list<TLayoutKind> kGrid = {TLayoutKind::lkGrid};

}  // namespace

TFakeEditorDialog::TFakeEditorDialog(const TLayoutNode& layout) {
  Collect(layout, FKinds);
  CollectEntries(layout, *this);
}

TFakeEditorDialog::TFakeEditorDialog(const TEditorSpec& spec) : TFakeEditorDialog(spec.Layout) {
  for (const TDialogHook& hook : spec.Hooks) hook.Attach(*this);
}

std::string TFakeEditorDialog::Expect(std::string_view control,
                                      std::initializer_list<TLayoutKind> kinds,
                                      const char* what) const {
  const auto found = FKinds.find(control);
  if (found == FKinds.end()) throw std::logic_error("No control " + std::string(control));
  if (std::find(kinds.begin(), kinds.end(), found->second) == kinds.end()) {
    throw std::logic_error(std::string(control) + " is not " + what);
  }
  return found->first;
}

bool TFakeEditorDialog::Run(const THandlers& handlers, std::string_view control) {
  const auto found = handlers.find(control);
  if (found == handlers.end()) return false;
  for (const TDialogHandler& handler : found->second) handler();
  return true;
}

bool TFakeEditorDialog::Click(std::string_view control) { return Run(FClick, control); }

bool TFakeEditorDialog::Change(std::string_view control) { return Run(FChange, control); }

bool TFakeEditorDialog::DropDown(std::string_view control) { return Run(FDropDown, control); }

bool TFakeEditorDialog::Focus(std::string_view control) {
  Focused = std::string(control);
  return Run(FFocus, control);
}

void TFakeEditorDialog::Show() {
  for (const TDialogHandler& handler : FShow) handler();
}

std::set<std::string> TFakeEditorDialog::HandledControls() const {
  std::set<std::string> names;
  for (const THandlers* handlers : {&FClick, &FChange, &FDropDown, &FFocus}) {
    for (const auto& [name, chain] : *handlers) names.insert(name);
  }
  return names;
}

TStrings TFakeEditorDialog::CellChoices(std::string_view grid, int column, int row) const {
  const auto found = FCellChoices.find({std::string(grid), column});
  return found == FCellChoices.end() ? TStrings{} : found->second(row);
}

void TFakeEditorDialog::OnClick(std::string_view control, TDialogHandler handler) {
  FClick[Expect(control, kClickable, "clickable")].push_back(std::move(handler));
}

void TFakeEditorDialog::OnChange(std::string_view control, TDialogHandler handler) {
  const std::string name = Expect(control, {TLayoutKind::lkEdit, TLayoutKind::lkMemo,
                                            TLayoutKind::lkCombo, TLayoutKind::lkDriveCombo,
                                            TLayoutKind::lkNumber, TLayoutKind::lkList,
                                            TLayoutKind::lkGrid, TLayoutKind::lkDate,
                                            TLayoutKind::lkTime},
                                  "a control that changes");
  FChange[name].push_back(std::move(handler));
}

void TFakeEditorDialog::OnDropDown(std::string_view control, TDialogHandler handler) {
  FDropDown[Expect(control, kCombo, "a drop-down list")].push_back(std::move(handler));
}

void TFakeEditorDialog::OnFocus(std::string_view control, TDialogHandler handler) {
  FFocus[Expect(control, kCombo, "a drop-down list")].push_back(std::move(handler));
}

std::string TFakeEditorDialog::Text(std::string_view control) const {
  return ValueOr(Texts, Expect(control, kTexts, "a field"), std::string());
}

int TFakeEditorDialog::Index(std::string_view control) const {
  return ValueOr(Indexes, Expect(control, kIndexed, "a list"), -1);
}

TStrings TFakeEditorDialog::Entries(std::string_view combo) const {
  return ValueOr(ComboEntries, Expect(combo, kCombo, "a drop-down list"), TStrings{});
}

void TFakeEditorDialog::SetEntries(std::string_view combo, const TStrings& entries) {
  ComboEntries[Expect(combo, kCombo, "a drop-down list")] = entries;
}

TStrings TFakeEditorDialog::ListEntries(std::string_view list) const {
  return ValueOr(ListBoxEntries, Expect(list, kList, "a list box"), TStrings{});
}

void TFakeEditorDialog::SetListEntries(std::string_view list, const TStrings& entries) {
  const std::string name = Expect(list, kList, "a list box");
  ListBoxEntries[name] = entries;
  ListBoxSelected.erase(name);
}

void TFakeEditorDialog::DeleteSelected(std::string_view list) {
  const std::string name = Expect(list, kList, "a list box");
  const std::set<size_t> selected = ValueOr(ListBoxSelected, name, std::set<size_t>{});
  TStrings kept;
  const TStrings& entries = ListBoxEntries[name];
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!selected.count(i)) kept.push_back(entries[i]);
  }
  ListBoxEntries[name] = kept;
  ListBoxSelected.erase(name);
}

TGridRows TFakeEditorDialog::Rows(std::string_view grid) const {
  return ValueOr(GridRows, Expect(grid, kGrid, "a grid"), TGridRows{});
}

void TFakeEditorDialog::SetRows(std::string_view grid, const TGridRows& rows) {
  GridRows[Expect(grid, kGrid, "a grid")] = rows;
}

std::string TFakeEditorDialog::Cell(std::string_view grid, int column, int row) const {
  const TGridRows rows = Rows(grid);
  if (row < 0 || column < 0 || static_cast<size_t>(row) >= rows.size()) return {};
  const TStrings& cells = rows[static_cast<size_t>(row)];
  return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : "";
}

void TFakeEditorDialog::SetCellChoices(std::string_view grid, int column,
                                       std::function<TStrings(int row)> choices) {
  FCellChoices[{Expect(grid, kGrid, "a grid"), column}] = std::move(choices);
}

void TFakeEditorDialog::ReplaceSelection(std::string_view field, std::string_view text) {
  const std::string name = Expect(field, kFields, "an edit field");
  std::string& value = Texts[name];
  const auto [start, length] =
      ValueOr(Selections, name, std::pair<size_t, size_t>{value.size(), 0});
  value.replace(std::min(start, value.size()), length, text);
  Selections[name] = {std::min(start, value.size()) + text.size(), 0};
  Focused = name;
}

void TFakeEditorDialog::WhileBusy(const std::function<void()>& work) {
  ++BusyRuns;
  work();
}

std::optional<std::vector<size_t>> TFakeEditorDialog::PickFields(TFilterDef fields) {
  FieldPicks.push_back(fields);
  return FieldsToPick;
}

std::optional<TPickedDependencies> TFakeEditorDialog::PickDependencies(const TStrings& services,
                                                                       const TStrings& groups) {
  DependencyPicks.emplace_back(services, groups);
  return DependenciesToPick;
}

}  // namespace palvetta::testing
