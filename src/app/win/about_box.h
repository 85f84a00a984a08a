#pragma once
// The About box: the program's version and some facts about the system, the version
// history on the product's web site and a check for updates on request.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/win/update_dialog.h"
#include "base/win/window_handles.h"
#include "gui/settings_store.h"
#include "gui/win/dialog.h"

namespace palvetta {

struct TSystemFacts {
  std::string ProductName;  // as the system reports it
  unsigned MajorVersion = 0;
  unsigned BuildNumber = 0;
  int64_t FreePhysicalMemory = 0;
};

// The running system's facts: the product name from the registry, the true version
// (not the one a compatibility shim reports) and the free physical memory.
TSystemFacts ReadSystemFacts();

struct TAboutBoxOptions {
  std::string ProgramVersion;  // three parts; empty: the program's own
  TSettingsStore* Store = nullptr;  // keeps the installation id; none: no id is sent
  TUpdateDialogOptions Update;      // the site, the publisher and what the update dialog needs
  std::function<TSystemFacts()> Facts = ReadSystemFacts;
};

class TfmAbt {
 public:
  explicit TfmAbt(TAboutBoxOptions options);
  void Execute(HWND owner);
  TDialog& Form() { return FDialog; }
  // Runs when the update dialog shows (tests act on it from there).
  std::function<void(TfrmChkUpdate&)> OnUpdateDialogShown;

 private:
  void LoadProgramIcon();
  void CheckForUpdates();

  TAboutBoxOptions FOptions;
  TDialog FDialog;
  TScopedIcon FIcon;
};

}  // namespace palvetta
