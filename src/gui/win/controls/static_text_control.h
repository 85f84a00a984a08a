#pragma once
// A label or a note: text the user reads, holding no value.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TStaticTextControl : public TDialogControl {
 public:
  TStaticTextControl(const TLayoutNode& node, const TControlSite& site);
};

}  // namespace palvetta
