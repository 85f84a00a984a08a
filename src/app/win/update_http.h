#pragma once
// A plain HTTP GET through WinHTTP, blocking, for the update check and download on their
// worker threads (or the UI thread for a check the user asked for).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace palvetta {

struct THttpTimeouts {
  int ConnectMs = 15000;   // resolving the name and connecting
  int ResponseMs = 15000;  // waiting for the answer and for each piece of the body
};

struct THttpResult {
  bool Completed = false;  // the whole body was read (whatever the status)
  int Status = 0;
  std::string Error;  // why not completed
};

// Each piece of the body as it arrives, with the announced length (-1 when none); return
// false to stop the transfer.
using THttpSink = std::function<bool(std::string_view piece, int64_t contentLength)>;

THttpResult HttpGet(std::string_view url, const THttpTimeouts& timeouts, const THttpSink& sink);

// The whole body into text; false unless completed.
bool HttpGetText(std::string_view url, const THttpTimeouts& timeouts, int& status,
                 std::string& body);

}  // namespace palvetta
