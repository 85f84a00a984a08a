#include "app/win/update_workers.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "app/win/update_install.h"
#include "base/file_io.h"
#include "base/win/wide.h"

namespace palvetta {

std::string MakeUpdateQueryURL(const TUpdateConfig& config, std::string_view programVersion,
                               TSettingsStore* store) {
  return UpdateQueryURL(UpdateServiceURL(config), kAppKey, programVersion,
                        store ? GetInstallID(*store, NewGuidText) : std::string());
}

std::optional<std::string> QueryLatestVersion(const std::string& queryURL, int timeoutMs) {
  try {
    int status = 0;
    std::string body;
    if (!HttpGetText(queryURL, {timeoutMs, timeoutMs}, status, body)) return std::nullopt;
    return LatestVersionFromAnswer(status, body);
  } catch (...) {
    return std::nullopt;
  }
}

// ---- The check ----

struct TUpdateCheckThread::TState {
  std::string QueryURL;
  int TimeoutMs = 0;
  TUiThreadQueue::TPoster Poster;
};

TUpdateCheckThread::TUpdateCheckThread(std::string queryURL, int timeoutMs)
    : FState(std::make_shared<TState>()) {
  FState->QueryURL = std::move(queryURL);
  FState->TimeoutMs = timeoutMs;
  FState->Poster = FQueue.Poster();
}

// The queue goes with the object, so a result posted after this is dropped.
TUpdateCheckThread::~TUpdateCheckThread() = default;

void TUpdateCheckThread::Start() {
  std::thread([state = FState, self = this] {
    std::optional<std::string> latest = QueryLatestVersion(state->QueryURL, state->TimeoutMs);
    // self is touched only on the UI thread, by a call its own queue runs.
    state->Poster.Post([self, latest = std::move(latest)] {
      self->FLatest = latest;
      // A copy, as the handler may destroy the object and with it OnComplete.
      if (const auto complete = self->OnComplete) complete(*self);
    });
  }).detach();
}

// ---- The download ----

struct TDownloadThread::TState {
  std::atomic<bool> Cancelled{false};
  std::atomic<int64_t> Received{0};
  std::atomic<int64_t> Total{-1};
  std::atomic<bool> ProgressPending{false};
  TUiThreadQueue::TPoster Poster;
};

TDownloadThread::TDownloadThread(std::string url, std::string localPath, THttpTimeouts timeouts)
    : FState(std::make_shared<TState>()),
      FUrl(std::move(url)),
      FLocalPath(std::move(localPath)),
      FTimeouts(timeouts) {
  FState->Poster = FQueue.Poster();
}

TDownloadThread::~TDownloadThread() { FState->Cancelled = true; }

bool TDownloadThread::Cancelled() const { return FState->Cancelled; }

void TDownloadThread::Cancel() { FState->Cancelled = true; }

void TDownloadThread::ReportProgress() {
  FState->ProgressPending = false;
  if (FState->Cancelled) return;
  if (const auto progress = OnProgress) progress(*this, FState->Received, FState->Total);
}

void TDownloadThread::Start() {
  std::thread([state = FState, self = this, url = FUrl, target = FLocalPath,
               timeouts = FTimeouts] {
    const std::string partPath = target + ".part";
    bool success = false;
    try {
      std::ofstream out(PathFromUtf8(partPath), std::ios::binary | std::ios::trunc);
      if (out) {
        const THttpResult result =
            HttpGet(url, timeouts, [&](std::string_view piece, int64_t length) {
              if (state->Cancelled) return false;
              out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
              state->Total = length;
              state->Received += static_cast<int64_t>(piece.size());
              if (!state->ProgressPending.exchange(true)) {
                state->Poster.Post([self] { self->ReportProgress(); });
              }
              return static_cast<bool>(out);
            });
        out.close();
        success = result.Completed && result.Status == 200 && out && !state->Cancelled &&
                  MoveFileExW(Widen(partPath).c_str(), Widen(target).c_str(),
                              MOVEFILE_REPLACE_EXISTING) != FALSE;
      }
    } catch (...) {
      success = false;
    }
    if (!success) DeleteFileW(Widen(partPath).c_str());
    if (state->Cancelled) return;
    state->Poster.Post([self, success] {
      self->FSuccess = success;
      if (self->FState->Cancelled) return;
      if (const auto complete = self->OnComplete) complete(*self);
    });
  }).detach();
}

}  // namespace palvetta
