#include "gui/win/splitter.h"

#include <windowsx.h>

#include "gui/placement.h"

namespace palvetta {

void TSplitter::Attach(HWND window, int dpi) {
  FWindow = window;
  FDpi = dpi;
  FPosition = FromDesign(FMetrics.DefaultBefore, dpi);
}

int TSplitter::End() const { return FPosition + FromDesign(FMetrics.Width, FDpi); }

void TSplitter::MoveTo(int position, int available) {
  FPosition = FMetrics.ClampPosition(position, available, FDpi);
}

bool TSplitter::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != FWindow) return false;
      POINT point = {};
      GetCursorPos(&point);
      ScreenToClient(FWindow, &point);
      if (!Hits(point.x)) return false;
      SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
      result = TRUE;
      return true;
    }
    case WM_LBUTTONDOWN:
      if (!Hits(GET_X_LPARAM(lParam))) return false;
      FDragging = true;
      SetCapture(FWindow);
      return true;
    case WM_MOUSEMOVE: {
      if (!FDragging) return false;
      RECT client = {};
      GetClientRect(FWindow, &client);
      MoveTo(GET_X_LPARAM(lParam), client.right);
      if (OnMoved) OnMoved();
      return true;
    }
    case WM_LBUTTONUP:
      if (!FDragging) return false;
      FDragging = false;
      ReleaseCapture();
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag ends where it is. The window may have a
      // capture of its own to give up, so the message goes on.
      FDragging = false;
      return false;
    default:
      return false;
  }
}

}  // namespace palvetta
