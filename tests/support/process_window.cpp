#include "support/process_window.h"

namespace palvetta {
namespace {

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

}  // namespace

HWND FirstVisibleWindow(DWORD processId) {
  TSearch search = {processId, nullptr};
  EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

}  // namespace palvetta
