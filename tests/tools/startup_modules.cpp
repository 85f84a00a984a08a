// Starts a program under the debugging interface and lists the DLLs it loads before its
// first window shows, then closes the program the way a user does (WM_CLOSE).
//
//   startup_modules PROGRAM ARGS...
//
// Prints one line "loaded=<file name in lower case>" per DLL, in the order they loaded.
// The program stands still while the debugger handles each load, so whether its window
// was visible at that moment is a fact, not a race against a poll. Exit code 0 when the
// window showed and the program ended after WM_CLOSE; 1 otherwise.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <string>

#include "base/win/wide.h"
#include "support/process_window.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring LowerFileName(std::wstring path) {
  path = path.substr(path.find_last_of(L"\\/") + 1);
  std::transform(path.begin(), path.end(), path.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return path;
}

// The loaded file's path from its handle, or from the mapped section when the system
// gave no handle.
std::wstring LoadedFileName(HANDLE process, const LOAD_DLL_DEBUG_INFO& load) {
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = 0;
  if (load.hFile) length = GetFinalPathNameByHandleW(load.hFile, path, MAX_PATH * 2, 0);
  if (length == 0 || length >= MAX_PATH * 2) {
    length = GetMappedFileNameW(process, load.lpBaseOfDll, path, MAX_PATH * 2);
  }
  return LowerFileName(std::wstring(path, length));
}

std::wstring QuotedCommandLine(int argc, wchar_t** argv) {
  std::wstring line;
  for (int i = 1; i < argc; ++i) {
    if (!line.empty()) line += L' ';
    line += L'"' + std::wstring(argv[i]) + L'"';
  }
  return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_modules PROGRAM ARGS...\n");
    return 2;
  }
  std::wstring commandLine = QuotedCommandLine(argc, argv);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(60);
  HWND window = nullptr;
  bool closeSent = false;
  bool ended = false;
  while (!ended && Clock::now() < giveUp) {
    DEBUG_EVENT event = {};
    if (!WaitForDebugEvent(&event, 10)) {
      if (!window) window = palvetta::FirstVisibleWindow(process.dwProcessId);
    } else {
      DWORD status = DBG_CONTINUE;
      switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
          if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
          break;
        case LOAD_DLL_DEBUG_EVENT:
          if (!window) window = palvetta::FirstVisibleWindow(process.dwProcessId);
          if (!window) {
            std::printf("loaded=%s\n",
                        palvetta::Narrow(LoadedFileName(process.hProcess, event.u.LoadDll)).c_str());
          }
          if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
          break;
        case EXCEPTION_DEBUG_EVENT:
          // The loader's breakpoint at start is ours; any other exception is the program's.
          if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            status = DBG_EXCEPTION_NOT_HANDLED;
          }
          break;
        case EXIT_PROCESS_DEBUG_EVENT:
          ended = true;
          break;
        default:
          break;
      }
      ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (window && !closeSent) {
      PostMessageW(window, WM_CLOSE, 0, 0);
      closeSent = true;
    }
  }
  if (!window) std::fprintf(stderr, "no window appeared\n");
  if (!ended) {
    std::fprintf(stderr, "the program did not end\n");
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return window && ended ? 0 : 1;
}
