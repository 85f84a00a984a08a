#include "gui/win/controls/check_box_control.h"

namespace palvetta {

TCheckBoxControl::TCheckBoxControl(const TLayoutNode& node, const TControlSite& site)
    : TCheckBoxControl(node, site, kInputStyle | BS_AUTOCHECKBOX) {}

TCheckBoxControl::TCheckBoxControl(const TLayoutNode& node, const TControlSite& site,
                                   DWORD style)
    : TDialogControl(node, site, {.ClassName = L"BUTTON", .Style = style, .Text = node.Text}) {}

void TCheckBoxControl::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (checked) BeforeChecking();
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  NotifyClicked();
}

bool TCheckBoxControl::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBoxControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetChecked(values.Checked(Name()));
}

void TCheckBoxControl::Read(TEditorValues& values) const { values.SetChecked(Name(), Checked()); }

}  // namespace palvetta
