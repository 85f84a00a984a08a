// The main window's About box and its check for updates a few seconds after start-up.

#include "app/win/about_box.h"
#include "app/win/main_window.h"
#include "app/win/update_dialog.h"
#include "base/win/program.h"

namespace palvetta {

std::string TfrmMain::ThreePartVersion() const {
  return FOptions.ProgramVersion.empty() ? GetAppVersion(false) : FOptions.ProgramVersion;
}

TUpdateDialogOptions TfrmMain::UpdateDialogOptions() {
  TUpdateDialogOptions options;
  options.Config = FOptions.Updates ? *FOptions.Updates : ShippedUpdateConfig();
  options.ConfirmSaving = [this] { return ConfirmSaving(); };
  options.Launch = FOptions.LaunchInstaller;
  options.EndProgram = FOptions.EndProgram;
  options.Environment = Environment();
  return options;
}

void TfrmMain::ShowAbout() {
  TAboutBoxOptions options;
  options.ProgramVersion = ThreePartVersion();
  options.Store = FOptions.Settings;
  options.Update = UpdateDialogOptions();
  TfmAbt about(std::move(options));
  about.OnUpdateDialogShown = OnUpdateDialogShown;
  if (OnAboutShown) about.Form().OnShown = [this, &about](TDialog&) { OnAboutShown(about); };
  about.Execute(Handle());
}

void TfrmMain::StartUpdateCheck() {
  if (!FOptions.Updates || FStartupUpdateThread) return;
  try {
    FStartupUpdateThread = std::make_unique<TUpdateCheckThread>(
        MakeUpdateQueryURL(*FOptions.Updates, ThreePartVersion(), FOptions.Settings),
        FOptions.Updates->QueryTimeoutMs);
    FStartupUpdateThread->OnComplete = [this](TUpdateCheckThread& thread) { UpdateCheckDone(thread); };
    FStartupUpdateThread->Start();
  } catch (const std::exception&) {
    FStartupUpdateThread.reset();
  }
}

void TfrmMain::UpdateCheckDone(TUpdateCheckThread& thread) {
  const bool newer = thread.Success() && CompareVersions(thread.LatestVersion(), ThreePartVersion()) > 0;
  const std::string latest = thread.LatestVersion();
  // Forgotten before the dialog shows, so that closing the window meanwhile has nothing
  // to abandon.
  FStartupUpdateThread.reset();
  if (newer) ShowUpdateDialog(latest, Handle());
}

void TfrmMain::ShowUpdateDialog(const std::string& latestVersion, HWND owner) {
  TfrmChkUpdate update(UpdateDialogOptions());
  if (OnUpdateDialogShown) {
    update.Form().OnShown = [this, &update](TDialog&) { OnUpdateDialogShown(update); };
  }
  update.Execute(latestVersion, owner);
}

}  // namespace palvetta
