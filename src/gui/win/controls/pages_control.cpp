#include "gui/win/controls/pages_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "base/win/wide.h"
#include "gui/layout_kinds.h"

namespace palvetta {

TPagesControl::TPagesControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = WC_TABCONTROLW, .Style = WS_TABSTOP | WS_CLIPSIBLINGS}) {
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

void TPagesControl::Place(const TRect& rect, const TPlaceContext& context) {
  const int strip =
      static_cast<int>(std::lround(TabStripHeight(context.LineHeight, context.Dpi)));
  MoveTo(rect, std::min(rect.Height, strip));
  Show(!rect.IsEmpty());
}

}  // namespace palvetta
