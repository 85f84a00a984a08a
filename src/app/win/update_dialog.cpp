#include "app/win/update_dialog.h"

#include <cstdio>
#include <exception>

#include "base/file_io.h"
#include "base/win/wide.h"
#include "gui/win/controls/progress_control.h"
#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

TLayoutNode UpdateDescription() {
  return Column({
      Stretched(Column({
          Label("lblTitle", "Palvetta"),
          Note("lblMessage", "", 50),
          Hidden(Label("lblStatus", "")),
          Hidden(ProgressBar("pbProgress")),
      })),
      Aligned(Row({Button("btnOK", "Update Now"), Button("btnCancel", "Later")}), TAlign::alEnd),
  });
}

TDialogOptions UpdateOptions(const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = "Software Update Available";
  options.Environment = environment;
  return options;
}

std::string WithDelimiter(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

void DeleteQuietly(const std::string& path) {
  if (!path.empty()) DeleteFileW(Widen(path).c_str());
}

}  // namespace

std::string TempFolderPath() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableW(L"TEMP", buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) {
    const DWORD fallback = GetTempPathW(MAX_PATH + 1, buffer);
    if (fallback == 0 || fallback > MAX_PATH) return {};
  }
  return WithDelimiter(Narrow(buffer));
}

TfrmChkUpdate::TfrmChkUpdate(TUpdateDialogOptions options)
    : FOptions(std::move(options)), FDialog(UpdateDescription(), UpdateOptions(FOptions.Environment)) {
  // "Update Now" is the default button but does not close the dialog: it starts the work
  // and keeps the dialog open to show it.
  FDialog.AddOkCheck([this]() -> std::optional<TCheckFailure> {
    if (FDialog.IsVisible("btnOK")) UpdateNow();
    return TCheckFailure{};
  });
}

// An object gone abandons its thread: no call of it can come back here.
TfrmChkUpdate::~TfrmChkUpdate() = default;

void TfrmChkUpdate::Execute(const std::string& latestVersion, HWND owner) {
  FLatestVersion = latestVersion;
  FZipPath.clear();
  FDownloadThread.reset();
  FDialog.SetText("lblMessage", "A new update (v" + latestVersion +
                                    ") is available. Would you like to install it now?");
  FDialog.SetVisible("lblStatus", false);
  FDialog.SetVisible("pbProgress", false);
  FDialog.Progress("pbProgress").SetMarquee(false);
  FDialog.Progress("pbProgress").SetPosition(0);
  FDialog.SetLabelColor("lblStatus", std::nullopt);
  ShowButtons(true, true);
  FDialog.ShowModal(owner);
  FDownloadThread.reset();
}

void TfrmChkUpdate::ShowButtons(bool update, bool later) {
  FDialog.SetVisible("btnOK", update);
  FDialog.SetVisible("btnCancel", later);
}

void TfrmChkUpdate::ShowStatus(const std::string& text, COLORREF color) {
  FDialog.SetVisible("lblStatus", true);
  FDialog.SetText("lblStatus", text);
  FDialog.SetLabelColor("lblStatus", color);
  UpdateWindow(FDialog.Control("lblStatus"));
}

void TfrmChkUpdate::ShowFailure(const std::string& text, bool laterOnly) {
  ShowStatus(text, kUpdateStatusRed);
  FDialog.SetVisible("pbProgress", false);
  ShowButtons(!laterOnly, true);
}

void TfrmChkUpdate::UpdateNow() {
  ShowButtons(false, false);
  // The installer ends the program, so a modified project is saved (or not) first.
  if (FOptions.ConfirmSaving && !FOptions.ConfirmSaving()) {
    ShowButtons(true, true);
    return;
  }
  TProgressControl& progress = FDialog.Progress("pbProgress");
  progress.SetMarquee(false);
  progress.SetPosition(0);
  FDialog.SetVisible("pbProgress", true);
  ShowStatus("Downloading update...", kUpdateStatusGrey);
  const std::string temp = FOptions.TempFolder.empty() ? TempFolderPath()
                                                       : WithDelimiter(FOptions.TempFolder);
  FZipPath = temp + DownloadZipNameFor(FLatestVersion);
  FDownloadThread = std::make_unique<TDownloadThread>(
      DownloadURLFor(FOptions.Config, FLatestVersion), FZipPath,
      THttpTimeouts{FOptions.Config.DownloadConnectTimeoutMs, FOptions.Config.DownloadResponseTimeoutMs});
  FDownloadThread->OnProgress = [this](TDownloadThread&, int64_t received, int64_t total) {
    Progress(received, total);
  };
  FDownloadThread->OnComplete = [this](TDownloadThread& thread) { Completed(thread.Success()); };
  FDownloadThread->Start();
}

void TfrmChkUpdate::Progress(int64_t received, int64_t total) {
  if (!IsWindowVisible(FDialog.Handle())) return;
  if (total > 0) FDialog.Progress("pbProgress").SetPosition(DownloadPercent(received, total));
  ShowStatus(DownloadProgressText(received, total), kUpdateStatusGrey);
}

void TfrmChkUpdate::Completed(bool success) {
  FDownloadThread.reset();
  if (!success) {
    ShowFailure("Failed to download the update. Please try again later.");
    return;
  }
  try {
    InstallFromZip();
  } catch (const std::exception& error) {
    ShowFailure(std::string("Error: ") + error.what());
  }
}

void TfrmChkUpdate::InstallFromZip() {
  FDialog.Progress("pbProgress").SetMarquee(true);
  ShowStatus("Extracting installer...", kUpdateStatusGrey);
  const std::string temp = FZipPath.substr(0, FZipPath.find_last_of("\\/") + 1);
  const std::string installer =
      ExtractInstallerFromZip(FZipPath, InstallerNameFor(FLatestVersion), temp);
  if (installer.empty()) {
    ShowFailure(IsExistingFile(FZipPath) ? "Failed to extract the installer from the download."
                                         : "Download file not found.");
    return;
  }
  DeleteQuietly(FZipPath);
  TSignatureVerdict verdict;
  {
    // Held open without write or delete sharing from the check to the start, so that the
    // file checked is the file started.
    const TLockedInstaller locked(installer);
    verdict = VerifyInstallerSignature(locked, FOptions.Config.PublisherThumbprint);
    if (verdict.Accepted) {
      ShowStatus("Starting installer...", kUpdateStatusGrey);
      if (!FOptions.Launch(installer, kInstallerSwitches)) {
        throw std::runtime_error("The installer could not be started.");
      }
    }
  }
  if (verdict.Accepted) {
    FDialog.Cancel();
    FOptions.EndProgram();
    return;
  }
  DeleteQuietly(installer);
  ShowFailure("The update was not run: it failed the signature check.", true);
  ShowMessageBox(FDialog.Handle(),
                 SignatureFailureMessage(verdict.Reason, SiteHostName(FOptions.Config)),
                 "Palvetta", MB_OK | MB_ICONERROR);
}

}  // namespace palvetta
