#pragma once
// A push button; btnOK is the dialog's default button.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TButtonControl : public TDialogControl {
 public:
  TButtonControl(const TLayoutNode& node, const TControlSite& site);
  // Enter on the default button is OK, which the dialog checks before it closes.
  bool ClicksOnEnter() const override { return !FDefault; }

 private:
  bool FDefault;
};

}  // namespace palvetta
