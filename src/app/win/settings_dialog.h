#pragma once
// The settings dialog: the colour theme and the font size. A change shows at
// once in every open window; Cancel puts back what was current when the dialog
// opened.

#include <windows.h>

#include <deque>
#include <functional>

#include "gui/appearance.h"
#include "gui/settings_store.h"
#include "gui/win/dialog.h"

namespace palvetta {

class TfrmSettings {
 public:
  explicit TfrmSettings(const TFormEnvironment& environment);

  // Shows the dialog modally over the owner. OK keeps the changes and saves
  // them to the store; Cancel restores the theme and font size of before. True
  // for OK.
  bool Execute(TAppearance& appearance, TSettingsStore& store, HWND owner = nullptr);

  // The underlying dialog, e.g. for tests to act on it from its OnShown.
  TDialog& Form() { return FDialog; }

 private:
  // Restyling from inside a combo's notification would relay out (and recreate
  // the fonts of) the very control still handling it, so a change runs only
  // after the notification has returned.
  void Queue(std::function<void()> change);
  void RunNextQueued();
  void RunAllQueued();

  TDialog FDialog;
  std::deque<std::function<void()>> FQueued;
};

}  // namespace palvetta
