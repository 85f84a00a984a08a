#pragma once
// The frame and caption drawn around a container's controls.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TGroupBoxControl : public TDialogControl {
 public:
  TGroupBoxControl(const TLayoutNode& node, const TControlSite& site);
};

}  // namespace palvetta
