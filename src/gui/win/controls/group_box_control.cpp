#include "gui/win/controls/group_box_control.h"

namespace palvetta {

TGroupBoxControl::TGroupBoxControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"BUTTON", .Style = BS_GROUPBOX, .Text = node.Text}) {}

}  // namespace palvetta
