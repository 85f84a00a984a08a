// Starts a program and watches for its first visible top-level window, as a user at the
// screen would: how long it took, what its caption says, what it looks like, how long a
// step of resizing it takes. Then it closes the program the way a user does (WM_CLOSE)
// and waits for it to end.
//
//   window_probe [--runs N] [--title-contains TEXT] [--screenshot FILE.png]
//                [--resize-steps N] [--resize-children] -- PROGRAM ARGS...
//
// Prints one line "startup_ms=<milliseconds>" per run (until the window shows); with
// --title-contains also "caption_ms=<milliseconds>", from the start until the caption
// holds the text (a project opens after the window shows); with --resize-steps one line
// "resize_ms=<milliseconds> sizing_ms=<milliseconds>" per step of resizing the window (all
// of it, and the part before painting), and with --resize-children also
// "child=<class>#<id> resize_ms=<median> sizing_ms=<median>" per child window, resized
// alone. Exit code
// 0 when every run showed a window (with the caption text, when asked) and ended after
// WM_CLOSE; 1 otherwise.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/win/wide.h"
#include "support/png_file.h"
#include "support/process_window.h"

namespace {

using Clock = std::chrono::steady_clock;

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
  int ResizeSteps = 0;
  bool ResizeChildren = false;
  std::wstring CommandLine;
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One step of a resize as a drag of the frame makes it: the window takes the new size
// (its program lays itself out meanwhile, as SetWindowPos waits for it), then paints what
// that invalidated. The milliseconds of both together and of the sizing alone.
struct TStepTime {
  double Total;
  double Sizing;
};

TStepTime TimeResize(HWND window, int width, int height) {
  const Clock::time_point start = Clock::now();
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const double sizing = MillisecondsSince(start);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  return {MillisecondsSince(start), sizing};
}

// The window grows and shrinks by a few pixels in turn, as under a mouse dragging its
// corner to and fro.
std::vector<TStepTime> TimeResizeSteps(HWND window, int steps) {
  RECT r = {};
  GetWindowRect(window, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  std::vector<TStepTime> times;
  for (int step = 0; step < steps; ++step) {
    const int delta = (step % 2 == 0) ? 12 : 0;
    times.push_back(TimeResize(window, width + delta, height + delta));
  }
  return times;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Each visible child on its own: what a resize of it costs, its parent's layout left out.
void TimeChildren(HWND window, int steps) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    std::vector<double> totals;
    std::vector<double> sizings;
    for (int step = 0; step < steps; ++step) {
      RECT r = {};
      GetWindowRect(child, &r);
      const int shrink = (step % 2 == 0) ? -12 : 12;
      const TStepTime time = TimeResize(child, r.right - r.left + shrink, r.bottom - r.top + shrink);
      totals.push_back(time.Total);
      sizings.push_back(time.Sizing);
    }
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    std::printf("child=%s#%d resize_ms=%.1f sizing_ms=%.1f\n", palvetta::Narrow(cls).c_str(),
                GetDlgCtrlID(child), Median(totals), Median(sizings));
  }
}

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
  HWND found = nullptr;
  const Clock::time_point giveUp = start + std::chrono::seconds(60);
  while (!found && Clock::now() < giveUp && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    found = palvetta::FirstVisibleWindow(process.dwProcessId);
    if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  bool ok = found != nullptr;
  if (!ok) std::fprintf(stderr, "no window appeared\n");
  if (ok) std::printf("startup_ms=%lld\n", static_cast<long long>(elapsed));
  if (ok && !options.TitleContains.empty()) {
    // The caption may follow a moment later, e.g. when a project opens after showing.
    while (Caption(found).find(options.TitleContains) == std::wstring::npos &&
           Clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto captionElapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    const std::wstring caption = Caption(found);
    std::printf("caption=%s\n", palvetta::Narrow(caption).c_str());
    if (caption.find(options.TitleContains) == std::wstring::npos) {
      std::fprintf(stderr, "the caption does not contain the expected text\n");
      ok = false;
    } else {
      std::printf("caption_ms=%lld\n", static_cast<long long>(captionElapsed));
    }
  }
  if (found && (!options.Screenshot.empty() || options.ResizeSteps > 0)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // let it paint
  }
  if (found && !options.Screenshot.empty()) {
    palvetta::WritePngFile(options.Screenshot, palvetta::CaptureClient(found));
  }
  if (found && options.ResizeSteps > 0) {
    for (const TStepTime& time : TimeResizeSteps(found, options.ResizeSteps)) {
      std::printf("resize_ms=%.1f sizing_ms=%.1f\n", time.Total, time.Sizing);
    }
    if (options.ResizeChildren) TimeChildren(found, options.ResizeSteps);
  }
  if (found) PostMessageW(found, WM_CLOSE, 0, 0);
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
    if (argument == L"--resize-children") {
      options.ResizeChildren = true;
      continue;
    }
    if (i + 1 >= argc) break;
    if (argument == L"--runs") {
      options.Runs = std::max(1, _wtoi(argv[++i]));
    } else if (argument == L"--title-contains") {
      options.TitleContains = argv[++i];
    } else if (argument == L"--screenshot") {
      options.Screenshot = argv[++i];
    } else if (argument == L"--resize-steps") {
      options.ResizeSteps = std::max(0, _wtoi(argv[++i]));
    } else {
      break;
    }
  }
  if (i >= argc) {
    std::fprintf(stderr,
                 "usage: window_probe [--runs N] [--title-contains TEXT] [--screenshot FILE] "
                 "[--resize-steps N] [--resize-children] -- PROGRAM ARGS...\n");
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
