#include "gui/win/controls/wheel_routing.h"

#include <commctrl.h>

namespace palvetta {
namespace {

constexpr UINT_PTR kSubclassId = 0x57484C;  // one per window, whatever the control

bool HasFocusWithin(HWND control) {
  const HWND focus = GetFocus();
  return focus && (focus == control || IsChild(control, focus));
}

LRESULT CALLBACK WheelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
  const auto control = reinterpret_cast<HWND>(data);
  switch (message) {
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (!HasFocusWithin(control)) return SendMessageW(GetParent(control), message, wParam, lParam);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, &WheelProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

BOOL CALLBACK RouteChild(HWND child, LPARAM control) {
  WheelOnlyWithFocus(child, reinterpret_cast<HWND>(control));
  return TRUE;
}

}  // namespace

void WheelOnlyWithFocus(HWND window, HWND control) {
  // Taken off first, so that it is put back in front of subclasses added since (an up-down
  // control subclasses its buddy each time it is attached, and steps it on the wheel).
  RemoveWindowSubclass(window, &WheelProc, kSubclassId);
  SetWindowSubclass(window, &WheelProc, kSubclassId, reinterpret_cast<DWORD_PTR>(control));
}

void WheelOnlyWithFocus(HWND control) {
  WheelOnlyWithFocus(control, control);
  EnumChildWindows(control, &RouteChild, reinterpret_cast<LPARAM>(control));
}

}  // namespace palvetta
