#pragma once
// The header of a collapsible panel: a flat push button captioned with the panel's text
// and a sign showing whether a click expands (+) or collapses (-) it. The dialog keeps
// the state in the panel's node and lays out again.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TPanelControl : public TDialogControl {
 public:
  TPanelControl(const TLayoutNode& node, const TControlSite& site);

  void ShowExpanded(bool expanded);
  bool ClicksOnEnter() const override { return true; }

 private:
  std::string FCaption;
};

}  // namespace palvetta
