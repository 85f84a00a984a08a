#include "gui/win/controls/icon_control.h"

namespace palvetta {

TIconControl::TIconControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, {.ClassName = L"STATIC", .Style = SS_ICON | SS_REALSIZECONTROL}) {}

void TIconControl::SetIcon(HICON icon) {
  SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

HICON TIconControl::Icon() const {
  return reinterpret_cast<HICON>(SendMessageW(Handle(), STM_GETICON, 0, 0));
}

int TIconControl::Side() const {
  RECT rect = {};
  GetClientRect(Handle(), &rect);
  return rect.right - rect.left;
}

}  // namespace palvetta
