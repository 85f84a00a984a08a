#pragma once
// The window of a panel group: the controls of its panels are its children, so it clips
// them to its rectangle, and its scroll bar (or the mouse wheel) moves them. It hands
// their notifications and colour requests on to the dialog, and tells the dialog the
// position the user scrolled to, which lays the panels out again at that offset.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TPanelGroupControl : public TDialogControl {
 public:
  TPanelGroupControl(const TLayoutNode& node, const TControlSite& site);

  // The panels' height and the group's own: the scroll bar shows only when they need it.
  void SetScrollRange(int content, int page, int position);
  // Where the user scrolled to.
  int Requested() const { return FRequested; }

  void Place(const TRect& rect, const TPlaceContext& context) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ScrollTo(int position);
  void ScrollBy(int pixels) { ScrollTo(FRequested + pixels); }
  void HandleScrollBar(int code);

  int FRequested = 0;
  int FLine = 16;  // pixels per arrow click or wheel notch's third
};

}  // namespace palvetta
