#include "gui/win/controls/edit_control.h"

#include "gui/win/controls/wheel_routing.h"

namespace palvetta {

TEditControl::TEditControl(const TLayoutNode& node, const TControlSite& site)
    : TEditControl(node, site, ES_AUTOHSCROLL) {
  // A one-line field has nothing to scroll: the wheel over it scrolls what holds it.
  WheelOnlyWithFocus(Handle());
}

TEditControl::TEditControl(const TLayoutNode& node, const TControlSite& site, DWORD editStyle)
    : TDialogControl(node, site,
                     {.ClassName = L"EDIT",
                      .Style = kInputStyle | editStyle,
                      .ExStyle = WS_EX_CLIENTEDGE,
                      .Text = node.Text}) {}

void TEditControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetText(values.Text(Name()));
}

void TEditControl::Read(TEditorValues& values) const {
  values.SetText(Name(), WindowText(Handle()));
}

}  // namespace palvetta
