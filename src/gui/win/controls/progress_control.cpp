#include "gui/win/controls/progress_control.h"

#include <commctrl.h>

namespace palvetta {

TProgressControl::TProgressControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, {.ClassName = PROGRESS_CLASSW, .Style = 0}) {
  SendMessageW(Handle(), PBM_SETRANGE32, 0, 100);
}

void TProgressControl::SetPosition(int position) {
  SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int TProgressControl::Position() const {
  return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
}

void TProgressControl::SetMarquee(bool marquee) {
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  SetWindowLongPtrW(Handle(), GWL_STYLE, marquee ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
  SendMessageW(Handle(), PBM_SETMARQUEE, marquee ? TRUE : FALSE, 0);
}

bool TProgressControl::Marquee() const {
  return (GetWindowLongPtrW(Handle(), GWL_STYLE) & PBS_MARQUEE) != 0;
}

}  // namespace palvetta
