#pragma once
// The update check and the download, each on a worker thread of its own. Their results
// reach the UI thread only through posted calls; the workers touch no window.
//
// Destroying a worker object abandons a thread that still runs: its callbacks are never
// called, a download stops at its next piece and deletes its partial file, and the
// thread ends on its own, holding only state it shares with nobody but the object gone.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/update_rules.h"
#include "app/win/update_http.h"
#include "gui/settings_store.h"
#include "gui/win/ui_thread_queue.h"

namespace palvetta {

// The address the check asks: the service's with the key, the program's three-part
// version and this installation's id (read, or made, in the store; no store: no id).
std::string MakeUpdateQueryURL(const TUpdateConfig& config, std::string_view programVersion,
                               TSettingsStore* store);
// Asks the service; the latest version when it answered with one.
std::optional<std::string> QueryLatestVersion(const std::string& queryURL, int timeoutMs);

class TUpdateCheckThread {
 public:
  // Made on the UI thread; nothing runs before Start.
  TUpdateCheckThread(std::string queryURL, int timeoutMs);
  ~TUpdateCheckThread();
  TUpdateCheckThread(const TUpdateCheckThread&) = delete;
  TUpdateCheckThread& operator=(const TUpdateCheckThread&) = delete;

  void Start();
  // Runs on the UI thread once the check is done; it may destroy the object.
  std::function<void(TUpdateCheckThread&)> OnComplete;
  bool Success() const { return FLatest.has_value(); }
  std::string LatestVersion() const { return FLatest.value_or(""); }

 private:
  struct TState;
  std::shared_ptr<TState> FState;
  TUiThreadQueue FQueue;
  std::optional<std::string> FLatest;
};

class TDownloadThread {
 public:
  TDownloadThread(std::string url, std::string localPath, THttpTimeouts timeouts);
  ~TDownloadThread();
  TDownloadThread(const TDownloadThread&) = delete;
  TDownloadThread& operator=(const TDownloadThread&) = delete;

  void Start();
  // Stops the transfer at its next piece; no completion call follows.
  void Cancel();

  // On the UI thread while the body arrives: bytes so far and the announced total (-1
  // when none). Pieces that arrive while a call is waiting are reported together.
  std::function<void(TDownloadThread&, int64_t received, int64_t total)> OnProgress;
  // On the UI thread once the transfer ended, unless cancelled; it may destroy the object.
  std::function<void(TDownloadThread&)> OnComplete;

  // The file is in place only on success: the body goes to a ".part" file beside it,
  // which is renamed when complete and deleted otherwise.
  bool Success() const { return FSuccess; }
  bool Cancelled() const;
  const std::string& LocalPath() const { return FLocalPath; }

 private:
  struct TState;
  void ReportProgress();
  std::shared_ptr<TState> FState;
  std::string FUrl;
  std::string FLocalPath;
  THttpTimeouts FTimeouts;
  TUiThreadQueue FQueue;
  bool FSuccess = false;
};

}  // namespace palvetta
