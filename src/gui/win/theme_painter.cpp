#include "gui/win/theme_painter.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>
#include <initializer_list>

#include "gui/win/menu_bar_painting.h"

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
  FMenuBarColors = {FThemed ? FBrushes.Window.Get() : GetSysColorBrush(COLOR_MENU), TextColor(), DisabledTextColor(),
                    SelectionBackground(true), SelectionText(true)};
  // A copy: repainting may destroy or create windows and so change the set.
  const std::set<HWND> windows = FWindows;
  for (HWND window : windows) {
    if (!IsWindow(window)) {
      FWindows.erase(window);
      continue;
    }
    ColorChildren(window);
    ColorMenuBar(window, FThemed ? &FMenuBarColors : nullptr);
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

COLORREF TThemePainter::SelectionBackground(bool focused) const {
  if (!FThemed) return GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  return ToColorRef(focused ? FPalette.SelectionBackground : FPalette.InactiveSelectionBackground);
}
COLORREF TThemePainter::SelectionText(bool focused) const {
  if (!FThemed) return GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  return ToColorRef(focused ? FPalette.SelectionText : FPalette.InactiveSelectionText);
}

void TThemePainter::Register(HWND window) {
  if (window && FWindows.insert(window).second) ColorChildren(window);
}

// The status bar draws its text in the system's colour whatever its background: only a
// light theme's background keeps it readable; in a dark one the bar keeps the system look.
// (Its parts could be owner-drawn, but then the bar no longer holds its text.)
COLORREF TThemePainter::StatusBarColor() const {
  return FThemed && !IsDark(FPalette) ? WindowColor() : CLR_DEFAULT;
}

void TThemePainter::ColorChildren(HWND window) const {
  const COLORREF colors[3] = {ControlColor(), TextColor(), StatusBarColor()};
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
        } else if (IsClass(child, STATUSCLASSNAMEW)) {
          // Visual styles would paint over the colour: the bar drops them while it has one.
          const bool own = colors[2] != CLR_DEFAULT;
          SetWindowTheme(child, own ? L"" : nullptr, own ? L"" : nullptr);
          SendMessageW(child, SB_SETBKCOLOR, 0, static_cast<LPARAM>(colors[2]));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(colors));
}

// List and tree views paint a selected row in the system's highlight colours whatever
// their own colours are, and the tree's resting selection keeps the tree's text colour on
// the system's button face: white on near-white in a dark theme. Custom draw gives the
// row the theme's selection colours; the row no longer counts as selected for the control,
// so it does not paint over them.
std::optional<LRESULT> TThemePainter::PaintSelection(NMHDR& header) const {
  if (header.code != NM_CUSTOMDRAW) return std::nullopt;
  const bool isList = IsClass(header.hwndFrom, WC_LISTVIEWW);
  if (!isList && !IsClass(header.hwndFrom, WC_TREEVIEWW)) return std::nullopt;
  auto& draw = reinterpret_cast<NMCUSTOMDRAW&>(header);
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if ((draw.dwDrawStage & CDDS_ITEMPREPAINT) != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  // The state is asked for: an owner-data list view does not always pass it on.
  const bool selected =
      isList ? ListView_GetItemState(header.hwndFrom, static_cast<int>(draw.dwItemSpec),
                                     LVIS_SELECTED) != 0
             : (TreeView_GetItemState(header.hwndFrom,
                                      reinterpret_cast<HTREEITEM>(draw.dwItemSpec),
                                      TVIS_SELECTED | TVIS_DROPHILITED) != 0);
  if (!selected) return CDRF_DODEFAULT;
  const bool focused = GetFocus() == header.hwndFrom;
  COLORREF* text = isList ? &reinterpret_cast<NMLVCUSTOMDRAW&>(header).clrText
                          : &reinterpret_cast<NMTVCUSTOMDRAW&>(header).clrText;
  COLORREF* back = isList ? &reinterpret_cast<NMLVCUSTOMDRAW&>(header).clrTextBk
                          : &reinterpret_cast<NMTVCUSTOMDRAW&>(header).clrTextBk;
  *text = SelectionText(focused);
  *back = SelectionBackground(focused);
  draw.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
  // A list view fills its columns one by one and may take the state afresh for each.
  return isList && (draw.dwDrawStage & CDDS_SUBITEM) == 0
             ? CDRF_NEWFONT | CDRF_NOTIFYSUBITEMDRAW
             : CDRF_NEWFONT;
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
      if (wParam) {
        ColorChildren(window);
        ColorMenuBar(window, FThemed ? &FMenuBarColors : nullptr);
      }
      return std::nullopt;
    // Answered in any theme: a bar drawn here until the next switch still needs them.
    case WM_MEASUREITEM:
      if (MeasureMenuBarItem(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (DrawMenuBarItem(window, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                          FMenuBarColors)) {
        return TRUE;
      }
      break;
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
      // A date or time picker takes its background from here but draws its text in the
      // system's window text colour: only the system's window colour keeps it readable.
      if (control && IsClass(control, DATETIMEPICK_CLASSW)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      [[fallthrough]];
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
    case WM_NOTIFY:
      return PaintSelection(*reinterpret_cast<NMHDR*>(lParam));
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      PaintMenuBarRest(window, FBrushes.Window.Get());
      return result;
    }
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
