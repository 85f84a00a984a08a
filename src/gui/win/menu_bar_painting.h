#pragma once
// A window's menu bar in a theme's colours. Windows paints the bar's background with the
// brush of the menu's MENUINFO, but its items' text always in the system's menu text
// colour, unreadable on a dark bar; so the bar's own items are drawn by us (owner draw)
// while the theme has its own colours. Their captions stay in the menu, so mnemonics and
// everything that reads them keep working. The drop-down menus keep the system's look.

#include <windows.h>

namespace palvetta {

struct TMenuBarColors {
  HBRUSH Background;  // owned by the caller, alive as long as the colours are in use
  COLORREF Text;
  COLORREF DisabledText;
  COLORREF HotBackground;  // an item under the mouse or open
  COLORREF HotText;
};

// Gives the window's menu bar the colours, or the system's look again (nullptr). Touches
// the bar, and makes Windows measure it again, only when that changes something; a
// window without a menu bar is left alone.
void ColorMenuBar(HWND window, const TMenuBarColors* colors);

// WM_MEASUREITEM and WM_DRAWITEM of the window: false when the item is none of the bar's
// items drawn here.
bool MeasureMenuBarItem(HWND window, MEASUREITEMSTRUCT& item);
bool DrawMenuBarItem(HWND window, const DRAWITEMSTRUCT& item, const TMenuBarColors& colors);

// Fills the bar's empty room right of its last item, for after the frame was painted:
// Windows may paint it in the system's menu colour whatever the menu's brush. A bar not
// drawn here is left alone.
void PaintMenuBarRest(HWND window, HBRUSH background);

}  // namespace palvetta
