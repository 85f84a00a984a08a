#pragma once
// The tabs of a pages node. It draws only the tab strip: the pages lie below it on the
// dialog's own background, so they take the theme's colours like every other control,
// and the dialog shows the controls of the chosen page by laying them out again. The tab
// control would draw its captions in the system's colours whatever its parent answers,
// so they are owner-drawn, in the colours the dialog passes to DrawTab.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TPagesControl : public TDialogControl {
 public:
  TPagesControl(const TLayoutNode& node, const TControlSite& site);

  int Selected() const;
  void Select(int page);
  // WM_DRAWITEM of one tab: its caption on the background.
  void DrawTab(const DRAWITEMSTRUCT& item, COLORREF background, COLORREF text) const;

  void Place(const TRect& rect, const TPlaceContext& context) override;
};

}  // namespace palvetta
