#include "app/win/update_http.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <vector>

#include "app/update_rules.h"
#include "base/win/internet_handles.h"
#include "base/win/wide.h"

namespace palvetta {
namespace {

THttpResult Failed(std::string_view step) {
  THttpResult result;
  result.Error = std::string(step) + " failed (error " + std::to_string(GetLastError()) + ")";
  return result;
}

int64_t ContentLength(HINTERNET request) {
  wchar_t text[32] = {};
  DWORD size = sizeof(text);
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX,
                           text, &size, WINHTTP_NO_HEADER_INDEX)) {
    return -1;
  }
  wchar_t* end = nullptr;
  const long long length = wcstoll(text, &end, 10);
  return end != text && length >= 0 ? length : -1;
}

}  // namespace

THttpResult HttpGet(std::string_view url, const THttpTimeouts& timeouts, const THttpSink& sink) {
  std::wstring wideUrl = Widen(url);
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(wideUrl.c_str(), static_cast<DWORD>(wideUrl.size()), 0, &parts)) {
    return Failed("Reading the address");
  }
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
  object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (object.empty()) object = L"/";

  const TScopedInternet session(WinHttpOpen(Widen(kUpdateUserAgent).c_str(),
                                            WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                            WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failed("Opening the HTTP session");
  WinHttpSetTimeouts(session.Get(), timeouts.ConnectMs, timeouts.ConnectMs, timeouts.ResponseMs,
                     timeouts.ResponseMs);
  const TScopedInternet connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
  if (!connection) return Failed("Connecting");
  const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  const TScopedInternet request(WinHttpOpenRequest(connection.Get(), L"GET", object.c_str(),
                                                   nullptr, WINHTTP_NO_REFERER,
                                                   WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
  if (!request) return Failed("Opening the request");
  // Set on the request as well: not every implementation passes the session's on.
  WinHttpSetTimeouts(request.Get(), timeouts.ConnectMs, timeouts.ConnectMs, timeouts.ResponseMs,
                     timeouts.ResponseMs);
  DWORD responseTimeout = static_cast<DWORD>(timeouts.ResponseMs);
  WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                   sizeof(responseTimeout));
  if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                          0, 0, 0)) {
    return Failed("Sending the request");
  }
  if (!WinHttpReceiveResponse(request.Get(), nullptr)) return Failed("Receiving the answer");

  THttpResult result;
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return Failed("Reading the status");
  }
  result.Status = static_cast<int>(status);
  const int64_t length = ContentLength(request.Get());
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    // What has arrived, so that slow pieces are passed on as they come.
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request.Get(), &available)) {
      THttpResult failed = Failed("Reading the answer");
      failed.Status = result.Status;
      return failed;
    }
    const DWORD wanted = std::clamp<DWORD>(available, 1, static_cast<DWORD>(buffer.size()));
    DWORD read = 0;
    if (!WinHttpReadData(request.Get(), buffer.data(), wanted, &read)) {
      THttpResult failed = Failed("Reading the answer");
      failed.Status = result.Status;
      return failed;
    }
    if (read == 0) break;
    if (!sink(std::string_view(buffer.data(), read), length)) {
      result.Error = "stopped";
      return result;
    }
  }
  result.Completed = true;
  return result;
}

bool HttpGetText(std::string_view url, const THttpTimeouts& timeouts, int& status,
                 std::string& body) {
  body.clear();
  const THttpResult result = HttpGet(url, timeouts, [&body](std::string_view piece, int64_t) {
    // An answer this long is no version text; stop rather than fill the memory.
    if (body.size() + piece.size() > 64 * 1024) return false;
    body.append(piece);
    return true;
  });
  status = result.Status;
  return result.Completed;
}

}  // namespace palvetta
