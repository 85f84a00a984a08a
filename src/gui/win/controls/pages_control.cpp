#include "gui/win/controls/pages_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/win/wide.h"
#include "gui/layout_kinds.h"

namespace palvetta {

TPagesControl::TPagesControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = WC_TABCONTROLW,
                      .Style = WS_TABSTOP | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED}) {
  int index = 0;
  for (const auto& page : node.Children) {
    std::wstring caption = Widen(page.Text);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&item));
  }
  Select(node.Page);
}

int TPagesControl::Selected() const {
  return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TPagesControl::Select(int page) { SendMessageW(Handle(), TCM_SETCURSEL, page, 0); }

void TPagesControl::DrawTab(const DRAWITEMSTRUCT& item, COLORREF background,
                            COLORREF text) const {
  wchar_t caption[256] = {};
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = caption;
  tab.cchTextMax = 256;
  SendMessageW(Handle(), TCM_GETITEMW, item.itemID, reinterpret_cast<LPARAM>(&tab));
  const HBRUSH brush = CreateSolidBrush(background);
  FillRect(item.hDC, &item.rcItem, brush);
  DeleteObject(brush);
  const HGDIOBJ oldFont =
      SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF oldText = SetTextColor(item.hDC, text);
  RECT area = item.rcItem;
  DrawTextW(item.hDC, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(item.hDC, oldText);
  SetBkMode(item.hDC, oldMode);
  SelectObject(item.hDC, oldFont);
}

void TPagesControl::Place(const TRect& rect, const TPlaceContext& context) {
  const int strip =
      static_cast<int>(std::lround(TabStripHeight(context.LineHeight, context.Dpi)));
  MoveTo(rect, std::min(rect.Height, strip));
  Show(!rect.IsEmpty());
}

}  // namespace palvetta
