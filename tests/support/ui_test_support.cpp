#include "support/ui_test_support.h"

#include <commctrl.h>

#include <chrono>

#include "base/win/wide.h"

namespace palvetta {

bool PumpWith(const std::function<bool()>& dispatch, const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (!dispatch()) return false;
    Sleep(5);
  }
  return true;
}

bool PumpUntil(TActionBinding& binding, const std::function<bool()>& condition) {
  return PumpWith([&] { return DispatchPendingMessages(binding); }, condition);
}

void ClickAt(POINT screen, int clicks) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> inputs;
  for (int i = 0; i < clicks; ++i) {
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT input = {};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  const auto end = std::chrono::steady_clock::now() +
                   std::chrono::milliseconds(GetDoubleClickTime() + 200);
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

bool InitTestControls() {
  INITCOMMONCONTROLSEX init = {};
  init.dwSize = sizeof(init);
  init.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
               ICC_TAB_CLASSES | ICC_BAR_CLASSES;
  return InitCommonControlsEx(&init) != FALSE;
}

std::string ListViewCellText(HWND listView, int col, int row) {
  wchar_t text[256] = {};
  ListView_GetItemText(listView, row, col, text, 256);
  return Narrow(text);
}

TOwnerWindow::TOwnerWindow() {
  TWindowArgs args;
  args.Title = "Owner";
  args.Pos = {50, 50, 500, 400};
  Create(args);
  ShowWindow(Handle(), SW_SHOWNA);
}

int TMessageRecorder::Show(HWND, std::string_view text, std::string_view caption, UINT flags) {
  Shown.push_back({std::string(text), std::string(caption), flags});
  if (Answers.empty()) return IDOK;
  const int answer = Answers.front();
  Answers.pop_front();
  return answer;
}

}  // namespace palvetta
