#pragma once
// The picker of the services and groups a new service depends on: two lists, each entry
// chosen by selecting it.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "base/text.h"
#include "editors/service_enumeration.h"
#include "gui/win/dialog.h"

namespace palvetta {

class TServicePickerDialog {
 public:
  explicit TServicePickerDialog(TFormEnvironment environment = {});

  // Shows the services and groups, none chosen; on OK the chosen ones in list order.
  std::optional<TPickedDependencies> Execute(HWND owner, const TStrings& services,
                                             const TStrings& groups);
  // Runs once the dialog is shown, before its loop (tests drive the dialog from here).
  std::function<void(TDialog&)> OnShown;

 private:
  TDialog& Make();

  TFormEnvironment FEnvironment;
  std::unique_ptr<TDialog> FDialog;
};

}  // namespace palvetta
