#pragma once
// An editor dialog as a dialog hook sees it: its controls found by name, handlers
// attached to their events, their values read and written, and the pickers and system
// lists the dialog can open. The Windows editor window provides it over its dialog; tests
// provide one in memory. What only one family of items does with its dialog (a button of
// its own, a list filled from the system) is a hook of that family, so the generic
// editor does not grow with every family.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "editors/service_enumeration.h"
#include "gui/layout.h"
#include "model/filter_conditions.h"

namespace palvetta {

using TDialogHandler = std::function<void()>;

class IEditorDialog {
 public:
  virtual ~IEditorDialog() = default;

  // Handlers run in the order attached, after the generic rules' own handlers of the
  // control; a click or change then runs the enabling rules, so that they see what the
  // handlers did. Handlers are attached while the dialog is built.
  virtual void OnClick(std::string_view control, TDialogHandler handler) = 0;
  virtual void OnChange(std::string_view control, TDialogHandler handler) = 0;
  // A drop-down list about to open its list, and a list that got the focus.
  virtual void OnDropDown(std::string_view control, TDialogHandler handler) = 0;
  virtual void OnFocus(std::string_view control, TDialogHandler handler) = 0;
  // Each time before the dialog shows, once it holds the item's values, before the
  // enabling rules run.
  virtual void OnShow(TDialogHandler handler) = 0;

  // An edit's or typed list's text; the selected entry of a list, a list box or a grid
  // (-1: none).
  virtual std::string Text(std::string_view control) const = 0;
  virtual int Index(std::string_view control) const = 0;
  // A drop-down list's entries (a typed list keeps its text).
  virtual TStrings Entries(std::string_view combo) const = 0;
  virtual void SetEntries(std::string_view combo, const TStrings& entries) = 0;
  // A list box's entries, and deleting its selected ones.
  virtual TStrings ListEntries(std::string_view list) const = 0;
  virtual void SetListEntries(std::string_view list, const TStrings& entries) = 0;
  virtual void DeleteSelected(std::string_view list) = 0;
  // A grid's rows, one cell of it, and what a pick-text column offers in each row.
  virtual TGridRows Rows(std::string_view grid) const = 0;
  virtual void SetRows(std::string_view grid, const TGridRows& rows) = 0;
  virtual std::string Cell(std::string_view grid, int column, int row) const = 0;
  virtual void SetCellChoices(std::string_view grid, int column,
                              std::function<TStrings(int row)> choices) = 0;
  // Puts the text in place of the field's selection (at the caret when nothing is
  // selected) and gives the field the focus to go on typing.
  virtual void ReplaceSelection(std::string_view field, std::string_view text) = 0;
  virtual void CollapseAllPanels() = 0;

  // The system's lists of computers and services, and the work of asking it done with
  // the busy cursor showing.
  virtual IServiceEnumeration& Services() = 0;
  virtual void WhileBusy(const std::function<void()>& work) = 0;
  // The field picker over the dialog: the indexes of the fields chosen; nothing when
  // cancelled.
  virtual std::optional<std::vector<size_t>> PickFields(TFilterDef fields) = 0;
  // The picker of services and groups over the dialog; nothing when cancelled.
  virtual std::optional<TPickedDependencies> PickDependencies(const TStrings& services,
                                                              const TStrings& groups) = 0;
};

// What a family adds to its dialog: Attach runs each time the dialog is built. Controls
// that hold a value only for the hook (a list a button takes a code from) are named in
// ScratchControls, so that no field of the item is expected to bind them.
struct TDialogHook {
  std::function<void(IEditorDialog&)> Attach = {};
  std::vector<std::string> ScratchControls = {};
};

}  // namespace palvetta
