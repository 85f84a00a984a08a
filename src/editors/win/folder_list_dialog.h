#pragma once
// The folder-list picker: the folders of a ";"-separated list, one per line of a memo,
// with "Add" to append a folder picked from the folder browser.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gui/win/dialog.h"

namespace palvetta {

class TFolderListDialog {
 public:
  explicit TFolderListDialog(TFormEnvironment environment = {});

  // Shows the list's folders; on OK the lines trimmed, blank ones dropped and joined by
  // ";", on Cancel nothing.
  std::optional<std::string> Execute(HWND owner, std::string_view list);
  // Runs once the dialog is shown, before its loop (tests drive the dialog from here).
  std::function<void(TDialog&)> OnShown;

 private:
  TDialog& Make();

  TFormEnvironment FEnvironment;
  std::unique_ptr<TDialog> FDialog;
};

}  // namespace palvetta
