#include "gui/win/controls/static_text_control.h"

namespace palvetta {

TStaticTextControl::TStaticTextControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, {.ClassName = L"STATIC", .Style = SS_LEFT, .Text = node.Text}) {}

}  // namespace palvetta
