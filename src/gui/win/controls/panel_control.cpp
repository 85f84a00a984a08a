#include "gui/win/controls/panel_control.h"

namespace palvetta {

TPanelControl::TPanelControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"BUTTON", .Style = kInputStyle | BS_PUSHBUTTON | BS_LEFT}),
      FCaption(node.Text) {
  ShowExpanded(!node.Collapsed);
}

void TPanelControl::ShowExpanded(bool expanded) { SetText((expanded ? "- " : "+ ") + FCaption); }

}  // namespace palvetta
