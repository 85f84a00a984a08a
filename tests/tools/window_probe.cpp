// Starts a program and watches for its first visible top-level window, as a user at the
// screen would: how long it took, what its caption says, what it looks like. Then it
// closes the program the way a user does (WM_CLOSE) and waits for it to end.
//
//   window_probe [--runs N] [--title-contains TEXT] [--screenshot FILE.png] -- PROGRAM ARGS...
//
// Prints one line "startup_ms=<milliseconds>" per run. Exit code 0 when every run showed
// a window (with the caption text, when asked) and ended after WM_CLOSE; 1 otherwise.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/win/wide.h"
#include "support/png_file.h"

namespace {

using Clock = std::chrono::steady_clock;

struct TSearch {
  DWORD ProcessId;
  HWND Found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->ProcessId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    search->Found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  for (wchar_t c : argument) {
    if (c == L'"') quoted += L'\\';
    quoted += c;
  }
  return quoted + L"\"";
}

std::wstring Caption(HWND window) {
  std::wstring text(512, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 512)));
  return text;
}

struct TOptions {
  int Runs = 1;
  std::wstring TitleContains;
  std::wstring Screenshot;
  std::wstring CommandLine;
};

bool RunOnce(const TOptions& options) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = options.CommandLine;
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
    return false;
  }
  TSearch search = {process.dwProcessId, nullptr};
  const Clock::time_point giveUp = start + std::chrono::seconds(60);
  while (!search.Found && Clock::now() < giveUp &&
         WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  bool ok = search.Found != nullptr;
  if (!ok) std::fprintf(stderr, "no window appeared\n");
  if (ok) std::printf("startup_ms=%lld\n", static_cast<long long>(elapsed));
  if (ok && !options.TitleContains.empty()) {
    // The caption may follow a moment later, e.g. when a project opens after showing.
    while (Caption(search.Found).find(options.TitleContains) == std::wstring::npos &&
           Clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::wstring caption = Caption(search.Found);
    std::printf("caption=%s\n", palvetta::Narrow(caption).c_str());
    if (caption.find(options.TitleContains) == std::wstring::npos) {
      std::fprintf(stderr, "the caption does not contain the expected text\n");
      ok = false;
    }
  }
  if (search.Found && !options.Screenshot.empty()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // let it paint
    palvetta::WritePngFile(options.Screenshot, palvetta::CaptureClient(search.Found));
  }
  if (search.Found) PostMessageW(search.Found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "the program did not end after WM_CLOSE\n");
    TerminateProcess(process.hProcess, 1);
    ok = false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TOptions options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--") {
      ++i;
      break;
    }
    if (i + 1 >= argc) break;
    if (argument == L"--runs") {
      options.Runs = std::max(1, _wtoi(argv[++i]));
    } else if (argument == L"--title-contains") {
      options.TitleContains = argv[++i];
    } else if (argument == L"--screenshot") {
      options.Screenshot = argv[++i];
    } else {
      break;
    }
  }
  if (i >= argc) {
    std::fprintf(stderr,
                 "usage: window_probe [--runs N] [--title-contains TEXT] [--screenshot FILE] -- "
                 "PROGRAM ARGS...\n");
    return 2;
  }
  for (; i < argc; ++i) {
    if (!options.CommandLine.empty()) options.CommandLine += L' ';
    options.CommandLine += QuoteArgument(argv[i]);
  }
  bool ok = true;
  for (int run = 0; run < options.Runs; ++run) ok = RunOnce(options) && ok;
  return ok ? 0 : 1;
}
