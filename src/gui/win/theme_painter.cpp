#include "gui/win/theme_painter.h"

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace palvetta {
namespace {

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return _wcsicmp(className, name) == 0;
}

}  // namespace

bool TThemePainter::SwitchTo(const TThemeRow& row) {
  const TThemePalette* palette = FindThemePalette(row.DisplayName);
  if (!palette) return false;
  TBrushes brushes;
  if (!palette->UsesSystemColors) {
    brushes.Window.Reset(CreateSolidBrush(ToColorRef(palette->Colors.Window)));
    brushes.Control.Reset(CreateSolidBrush(ToColorRef(palette->Colors.Control)));
    if (!brushes.Window || !brushes.Control) return false;
  }
  // The old brushes go only after the new ones exist, so a failure changes nothing.
  FBrushes = std::move(brushes);
  FThemed = !palette->UsesSystemColors;
  FPalette = palette->Colors;
  FCurrentPalette = palette;
  // A copy: repainting may destroy or create windows and so change the set.
  const std::set<HWND> windows = FWindows;
  for (HWND window : windows) {
    if (!IsWindow(window)) {
      FWindows.erase(window);
      continue;
    }
    ColorChildren(window);
    Repaint(window);
  }
  return true;
}

COLORREF TThemePainter::WindowColor() const {
  return FThemed ? ToColorRef(FPalette.Window) : GetSysColor(COLOR_BTNFACE);
}
COLORREF TThemePainter::ControlColor() const {
  return FThemed ? ToColorRef(FPalette.Control) : GetSysColor(COLOR_WINDOW);
}
COLORREF TThemePainter::TextColor() const {
  return FThemed ? ToColorRef(FPalette.Text) : GetSysColor(COLOR_WINDOWTEXT);
}
COLORREF TThemePainter::DisabledTextColor() const {
  return FThemed ? ToColorRef(FPalette.DisabledText) : GetSysColor(COLOR_GRAYTEXT);
}

void TThemePainter::Register(HWND window) {
  if (window && FWindows.insert(window).second) ColorChildren(window);
}

void TThemePainter::ColorChildren(HWND window) const {
  const COLORREF colors[2] = {ControlColor(), TextColor()};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        const auto* colors = reinterpret_cast<const COLORREF*>(data);
        if (IsClass(child, WC_LISTVIEWW)) {
          ListView_SetBkColor(child, colors[0]);
          ListView_SetTextBkColor(child, colors[0]);
          ListView_SetTextColor(child, colors[1]);
        } else if (IsClass(child, WC_TREEVIEWW)) {
          TreeView_SetBkColor(child, colors[0]);
          TreeView_SetTextColor(child, colors[1]);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(colors));
}

void TThemePainter::Repaint(HWND window) const {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::optional<LRESULT> TThemePainter::Paint(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (!window) return std::nullopt;
  switch (message) {
    case WM_NCDESTROY:
      Unregister(window);
      return std::nullopt;
    case WM_SHOWWINDOW:
      // Controls created after the window registered take their colours when it shows.
      Register(window);
      if (wParam) ColorChildren(window);
      return std::nullopt;
    default:
      break;
  }
  Register(window);
  if (!FThemed) return std::nullopt;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  const HWND control = reinterpret_cast<HWND>(lParam);
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:  // labels, group boxes, check boxes, read-only edits
      SetTextColor(dc, control && !IsWindowEnabled(control) ? DisabledTextColor() : TextColor());
      SetBkColor(dc, WindowColor());
      return reinterpret_cast<LRESULT>(FBrushes.Window.Get());
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:  // also the drop-down list of combo boxes
      SetTextColor(dc, control && !IsWindowEnabled(control) ? DisabledTextColor() : TextColor());
      SetBkColor(dc, ControlColor());
      return reinterpret_cast<LRESULT>(FBrushes.Control.Get());
    case WM_CTLCOLORBTN:
      // Only the area around a push button: its face is drawn by Windows (or by visual
      // styles) in the system colours.
      SetTextColor(dc, TextColor());
      SetBkColor(dc, WindowColor());
      return reinterpret_cast<LRESULT>(FBrushes.Window.Get());
    case WM_ERASEBKGND: {
      RECT client = {};
      GetClientRect(window, &client);
      FillRect(dc, &client, FBrushes.Window.Get());
      return 1;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace palvetta
