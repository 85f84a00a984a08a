#pragma once
// The field picker of the filter grids ("List of fields"): one check box per field the
// grid knows; OK gives the checked ones.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "gui/win/dialog.h"
#include "model/filter_conditions.h"

namespace palvetta {

class TFieldPickerDialog {
 public:
  explicit TFieldPickerDialog(TFormEnvironment environment = {});

  // Shows the fields, none checked; on OK the indexes of the checked ones in list order,
  // on Cancel nothing.
  std::optional<std::vector<size_t>> Execute(HWND owner, TFilterDef fields);
  // Runs once the dialog is shown, before its loop (tests drive the dialog from here).
  std::function<void(TDialog&)> OnShown;

 private:
  TDialog& Make(TFilterDef fields);

  TFormEnvironment FEnvironment;
  // One dialog per list of fields, kept like the editor dialogs.
  std::map<const TFilterFieldDef*, std::unique_ptr<TDialog>> FDialogs;
};

}  // namespace palvetta
