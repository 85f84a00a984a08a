#pragma once
// An editor dialog in memory for running dialog hooks without a window: its controls are
// the named nodes of a dialog description, and naming one that is not there, or asking
// a control for what its kind does not hold, is a description fault (std::logic_error),
// as it is on screen. The test drives the events (Click, Change, ...) and sets what the
// pickers answer; the system's lists come from a fake system.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editors/editor_dialog.h"
#include "editors/editor_spec.h"
#include "gui/layout.h"
#include "support/fake_service_enumeration.h"

namespace palvetta::testing {

class TFakeEditorDialog : public IEditorDialog {
 public:
  // Combos and list boxes start with the description's entries; a dialog of a spec has
  // the spec's hooks attached.
  explicit TFakeEditorDialog(const TLayoutNode& layout);
  explicit TFakeEditorDialog(const TEditorSpec& spec);
  TFakeEditorDialog(const TFakeEditorDialog&) = delete;
  TFakeEditorDialog& operator=(const TFakeEditorDialog&) = delete;

  // What the controls hold. A field's selection is (start, length); without one the
  // caret stands at the end of its text.
  std::map<std::string, std::string, std::less<>> Texts;
  std::map<std::string, int, std::less<>> Indexes;
  std::map<std::string, TStrings, std::less<>> ComboEntries;
  std::map<std::string, TStrings, std::less<>> ListBoxEntries;
  std::map<std::string, std::set<size_t>, std::less<>> ListBoxSelected;
  std::map<std::string, TGridRows, std::less<>> GridRows;
  std::map<std::string, std::pair<size_t, size_t>, std::less<>> Selections;
  std::string Focused;
  int PanelCollapses = 0;
  int BusyRuns = 0;

  // The system, and what the pickers answer and were offered.
  TFakeServiceEnumeration System;
  std::optional<std::vector<size_t>> FieldsToPick;
  std::vector<TFilterDef> FieldPicks;
  std::optional<TPickedDependencies> DependenciesToPick;
  std::vector<std::pair<TStrings, TStrings>> DependencyPicks;

  // The events as the user or the dialog causes them; false when no handler took it.
  bool Click(std::string_view control);
  bool Change(std::string_view control);
  bool DropDown(std::string_view control);
  bool Focus(std::string_view control);
  void Show();
  // Every control with a handler for any event, and the choices a grid's column offers.
  std::set<std::string> HandledControls() const;
  TStrings CellChoices(std::string_view grid, int column, int row) const;

  void OnClick(std::string_view control, TDialogHandler handler) override;
  void OnChange(std::string_view control, TDialogHandler handler) override;
  void OnDropDown(std::string_view control, TDialogHandler handler) override;
  void OnFocus(std::string_view control, TDialogHandler handler) override;
  void OnShow(TDialogHandler handler) override { FShow.push_back(std::move(handler)); }

  std::string Text(std::string_view control) const override;
  int Index(std::string_view control) const override;
  TStrings Entries(std::string_view combo) const override;
  void SetEntries(std::string_view combo, const TStrings& entries) override;
  TStrings ListEntries(std::string_view list) const override;
  void SetListEntries(std::string_view list, const TStrings& entries) override;
  void DeleteSelected(std::string_view list) override;
  TGridRows Rows(std::string_view grid) const override;
  void SetRows(std::string_view grid, const TGridRows& rows) override;
  std::string Cell(std::string_view grid, int column, int row) const override;
  void SetCellChoices(std::string_view grid, int column,
                      std::function<TStrings(int row)> choices) override;
  void ReplaceSelection(std::string_view field, std::string_view text) override;
  void CollapseAllPanels() override { ++PanelCollapses; }

  IServiceEnumeration& Services() override { return System; }
  void WhileBusy(const std::function<void()>& work) override;
  std::optional<std::vector<size_t>> PickFields(TFilterDef fields) override;
  std::optional<TPickedDependencies> PickDependencies(const TStrings& services,
                                                      const TStrings& groups) override;

 private:
  using THandlers = std::map<std::string, std::vector<TDialogHandler>, std::less<>>;
  // The control's name after checking it is one of the kinds.
  std::string Expect(std::string_view control, std::initializer_list<TLayoutKind> kinds,
                     const char* what) const;
  static bool Run(const THandlers& handlers, std::string_view control);

  std::map<std::string, TLayoutKind, std::less<>> FKinds;
  THandlers FClick, FChange, FDropDown, FFocus;
  std::vector<TDialogHandler> FShow;
  std::map<std::pair<std::string, int>, std::function<TStrings(int)>> FCellChoices;
};

}  // namespace palvetta::testing
