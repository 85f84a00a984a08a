#pragma once
// An icon the dialog shows; the caller keeps the icon alive while it is shown.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TIconControl : public TDialogControl {
 public:
  TIconControl(const TLayoutNode& node, const TControlSite& site);
  void SetIcon(HICON icon);
  HICON Icon() const;
  // The icon's side in pixels at the dialog's DPI, as laid out.
  int Side() const;
};

}  // namespace palvetta
