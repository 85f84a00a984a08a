#pragma once
// From a layout node to the control class of its kind.

#include <memory>

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

// The control of a named node; null for nodes without a window of their own (spacers,
// containers not drawn as a group box).
std::unique_ptr<IDialogControl> MakeControl(const TLayoutNode& node, const TControlSite& site);

}  // namespace palvetta
