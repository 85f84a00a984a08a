#include "gui/win/controls/button_control.h"

namespace palvetta {
namespace {

bool IsDefault(const TLayoutNode& node) { return node.Name == "btnOK"; }

}  // namespace

TButtonControl::TButtonControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"BUTTON",
                      .Style = kInputStyle | (IsDefault(node) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                      .Text = node.Text}),
      FDefault(IsDefault(node)) {}

}  // namespace palvetta
