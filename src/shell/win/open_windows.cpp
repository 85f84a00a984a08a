#include "shell/win/open_windows.h"

#include <algorithm>

#include "shell/win/dialog.h"

namespace palvetta {
namespace {

// Only the UI thread makes dialogs, so no lock is needed.
std::vector<TDialog*>& Registered() {
  static std::vector<TDialog*> dialogs;
  return dialogs;
}

int& CurrentSize() {
  static int size = TAppearance::DefaultFontSize;
  return size;
}

}  // namespace

void RegisterOpenDialog(TDialog& dialog) {
  auto& dialogs = Registered();
  if (std::find(dialogs.begin(), dialogs.end(), &dialog) == dialogs.end()) {
    dialogs.push_back(&dialog);
  }
}

void UnregisterOpenDialog(TDialog& dialog) {
  auto& dialogs = Registered();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), &dialog), dialogs.end());
}

std::vector<TDialog*> OpenDialogs() { return Registered(); }

int CurrentFontPoints() { return CurrentSize(); }

void TOpenWindows::FontSizeChanged(int size) {
  CurrentSize() = size;
  // A copy, so that a dialog made or destroyed while another relays itself out
  // cannot invalidate the walk.
  for (TDialog* dialog : OpenDialogs()) {
    if (dialog->FontPoints() != size) dialog->SetFontPoints(size);
  }
}

}  // namespace palvetta
