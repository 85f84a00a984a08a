#include "gui/win/menu_bar_painting.h"

#include <string>

#include "base/win/window_handles.h"

namespace palvetta {
namespace {

// Marks the bar's items drawn here, apart from any the program draws itself.
constexpr ULONG_PTR kDrawnHere = 0x50414C56;

HMENU MenuBarOf(HWND window) {
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) return nullptr;  // GetMenu gives an id
  const HMENU bar = GetMenu(window);
  return bar && IsMenu(bar) ? bar : nullptr;
}

MENUITEMINFOW ItemInfo(HMENU bar, UINT position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
  if (!GetMenuItemInfoW(bar, position, TRUE, &info)) info.fType = 0;
  return info;
}

bool IsDrawnHere(const MENUITEMINFOW& info) {
  return (info.fType & MFT_OWNERDRAW) != 0 && info.dwItemData == kDrawnHere;
}

// The caption of the bar's item that Windows names by its id in the owner-draw messages
// (for an item with a drop-down, the drop-down's handle cut to its low half).
bool FindCaption(HMENU bar, UINT id, std::wstring& caption) {
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    const MENUITEMINFOW info = ItemInfo(bar, static_cast<UINT>(i));
    if (!IsDrawnHere(info) || info.wID != id) continue;
    wchar_t text[128] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    caption = text;
    return true;
  }
  return false;
}

TScopedFont MenuFont(HWND window) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                  GetDpiForWindow(window))) {
    return TScopedFont();
  }
  return TScopedFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

}  // namespace

void ColorMenuBar(HWND window, const TMenuBarColors* colors) {
  const HMENU bar = MenuBarOf(window);
  if (!bar) return;
  MENUINFO menu = {};
  menu.cbSize = sizeof(menu);
  menu.fMask = MIM_BACKGROUND;
  GetMenuInfo(bar, &menu);
  const HBRUSH background = colors ? colors->Background : nullptr;
  if (menu.hbrBack != background) {
    menu.hbrBack = background;
    SetMenuInfo(bar, &menu);
  }
  bool remeasure = false;
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = ItemInfo(bar, static_cast<UINT>(i));
    const bool drawnHere = IsDrawnHere(info);
    if ((info.fType & MFT_OWNERDRAW) != 0 && !drawnHere) continue;  // the program's own
    if (drawnHere == (colors != nullptr)) continue;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = colors ? info.fType | MFT_OWNERDRAW : info.fType & ~MFT_OWNERDRAW;
    info.dwItemData = colors ? kDrawnHere : 0;
    SetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &info);
    remeasure = true;
  }
  // A new brush alone needs no new layout: the caller repaints the frame anyway.
  if (remeasure) DrawMenuBar(window);
}

bool MeasureMenuBarItem(HWND window, MEASUREITEMSTRUCT& item) {
  const HMENU bar = MenuBarOf(window);
  std::wstring caption;
  if (item.CtlType != ODT_MENU || item.itemData != kDrawnHere || !bar ||
      !FindCaption(bar, item.itemID, caption)) {
    return false;
  }
  const TScopedFont font = MenuFont(window);
  const HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, font ? font.Get() : GetStockObject(DEFAULT_GUI_FONT));
  RECT text = {};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  // The room the system leaves around its own captions: about a character each side.
  item.itemWidth = static_cast<UINT>(text.right + metrics.tmAveCharWidth);
  item.itemHeight = static_cast<UINT>(GetSystemMetricsForDpi(SM_CYMENU, GetDpiForWindow(window)));
  return true;
}

bool DrawMenuBarItem(HWND window, const DRAWITEMSTRUCT& item, const TMenuBarColors& colors) {
  const HMENU bar = MenuBarOf(window);
  std::wstring caption;
  if (item.CtlType != ODT_MENU || item.itemData != kDrawnHere || !bar ||
      reinterpret_cast<HMENU>(item.hwndItem) != bar || !FindCaption(bar, item.itemID, caption)) {
    return false;
  }
  const bool hot = (item.itemState & (ODS_HOTLIGHT | ODS_SELECTED)) != 0;
  const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  RECT area = item.rcItem;
  if (hot) {
    const TScopedBrush brush(CreateSolidBrush(colors.HotBackground));
    FillRect(item.hDC, &area, brush ? brush.Get() : colors.Background);
  } else {
    FillRect(item.hDC, &area, colors.Background);
  }
  const TScopedFont font = MenuFont(window);
  const HGDIOBJ old = font ? SelectObject(item.hDC, font.Get()) : nullptr;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, disabled ? colors.DisabledText : hot ? colors.HotText : colors.Text);
  const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextW(item.hDC, caption.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
  if (old) SelectObject(item.hDC, old);
  return true;
}

void PaintMenuBarRest(HWND window, HBRUSH background) {
  const HMENU bar = MenuBarOf(window);
  const int count = bar ? GetMenuItemCount(bar) : 0;
  if (count <= 0 || !IsDrawnHere(ItemInfo(bar, static_cast<UINT>(count - 1)))) return;
  MENUBARINFO whole = {};
  whole.cbSize = sizeof(whole);
  MENUBARINFO last = {};
  last.cbSize = sizeof(last);
  if (!GetMenuBarInfo(window, OBJID_MENU, 0, &whole) ||
      !GetMenuBarInfo(window, OBJID_MENU, count, &last)) {
    return;
  }
  RECT frame = {};
  GetWindowRect(window, &frame);
  RECT rest = {last.rcBar.right, whole.rcBar.top, whole.rcBar.right, whole.rcBar.bottom};
  if (rest.left >= rest.right) return;
  OffsetRect(&rest, -frame.left, -frame.top);
  const HDC dc = GetWindowDC(window);
  FillRect(dc, &rest, background);
  ReleaseDC(window, dc);
}

}  // namespace palvetta
