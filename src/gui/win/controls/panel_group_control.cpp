#include "gui/win/controls/panel_group_control.h"

#include <algorithm>

namespace palvetta {
namespace {

constexpr const wchar_t* kClassName = L"PalvettaPanelGroup";
constexpr int kWheelLines = 3;

const wchar_t* RegisteredClass() {
  static const bool registered = [] {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = kClassName;
    return RegisterClassExW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered ? kClassName : L"STATIC";
}

bool ForDialog(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return true;
    default:
      return false;
  }
}

}  // namespace

TPanelGroupControl::TPanelGroupControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = RegisteredClass(),
                      .Style = WS_VSCROLL | WS_CLIPCHILDREN,
                      .ExStyle = WS_EX_CONTROLPARENT}),
      FRequested(node.Scroll) {
  SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

void TPanelGroupControl::SetScrollRange(int content, int page, int position) {
  FRequested = position;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, content - 1);
  info.nPage = static_cast<UINT>(std::max(0, page));
  info.nPos = position;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TPanelGroupControl::Place(const TRect& rect, const TPlaceContext& context) {
  FLine = std::max(1, context.LineHeight);
  TDialogControl::Place(rect, context);
}

void TPanelGroupControl::ScrollTo(int position) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  GetScrollInfo(Handle(), SB_VERT, &info);
  const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
  const int next = std::clamp(position, 0, last);
  if (next == FRequested) return;
  FRequested = next;
  NotifyChanged();
}

void TPanelGroupControl::HandleScrollBar(int code) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, &info);
  const int page = std::max(1, static_cast<int>(info.nPage));
  switch (code) {
    case SB_LINEUP: ScrollBy(-FLine); break;
    case SB_LINEDOWN: ScrollBy(FLine); break;
    case SB_PAGEUP: ScrollBy(-page); break;
    case SB_PAGEDOWN: ScrollBy(page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(info.nMax); break;
    default: break;
  }
}

LRESULT CALLBACK TPanelGroupControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* self = reinterpret_cast<TPanelGroupControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (ForDialog(message)) return SendMessageW(GetParent(window), message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: {
      // The dialog's background, themed or not.
      const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
          GetParent(window), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(window)));
      RECT client = {};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_VSCROLL:
      if (self) self->HandleScrollBar(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      if (self) {
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        self->ScrollBy(-notches * kWheelLines * self->FLine);
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace palvetta
