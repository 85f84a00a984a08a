#pragma once
// The update dialog: offers the newer version, downloads its package, takes the installer
// out, checks its signature and starts it, showing each step.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/update_rules.h"
#include "app/win/update_install.h"
#include "app/win/update_workers.h"
#include "gui/win/dialog.h"

namespace palvetta {

struct TUpdateDialogOptions {
  TUpdateConfig Config = ShippedUpdateConfig();
  std::string TempFolder;  // where the package and installer go; empty: the TEMP folder
  // The main window's question whether to save a modified project first; false stops
  // the update. None: nothing to save.
  std::function<bool()> ConfirmSaving;
  TInstallerLauncher Launch = ShellStartInstaller;
  // Ends the program once the installer runs.
  std::function<void()> EndProgram = [] { PostQuitMessage(0); };
  TFormEnvironment Environment;
};

inline constexpr COLORREF kUpdateStatusGrey = RGB(128, 128, 128);
inline constexpr COLORREF kUpdateStatusRed = RGB(192, 0, 0);

class TfrmChkUpdate {
 public:
  explicit TfrmChkUpdate(TUpdateDialogOptions options);
  ~TfrmChkUpdate();

  // Shows the offer of the latest version modally; closing abandons a running download.
  void Execute(const std::string& latestVersion, HWND owner);
  TDialog& Form() { return FDialog; }
  // The running download, if any (tests watch it).
  TDownloadThread* Download() { return FDownloadThread.get(); }
  const std::string& ZipPath() const { return FZipPath; }

 private:
  void UpdateNow();
  void Progress(int64_t received, int64_t total);
  void Completed(bool success);
  void InstallFromZip();
  void ShowStatus(const std::string& text, COLORREF color);
  void ShowFailure(const std::string& text, bool laterOnly = false);
  void ShowButtons(bool update, bool later);

  TUpdateDialogOptions FOptions;
  TDialog FDialog;
  std::string FLatestVersion;
  std::string FZipPath;
  std::unique_ptr<TDownloadThread> FDownloadThread;
};

// The TEMP folder with a final "\".
std::string TempFolderPath();

}  // namespace palvetta
