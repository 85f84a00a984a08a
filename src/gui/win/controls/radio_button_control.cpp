#include "gui/win/controls/radio_button_control.h"

namespace palvetta {

void TRadioGroup::ClearAllBut(HWND button) const {
  for (const HWND other : FButtons) {
    if (other != button) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

TRadioButtonControl::TRadioButtonControl(const TLayoutNode& node, const TControlSite& site)
    : TCheckBoxControl(
          node, site,
          WS_TABSTOP | BS_AUTORADIOBUTTON | (site.RadioGroup->Empty() ? WS_GROUP : 0)),
      FGroup(site.RadioGroup) {
  FGroup->Join(Handle());
}

void TRadioButtonControl::BeforeChecking() { FGroup->ClearAllBut(Handle()); }

}  // namespace palvetta
