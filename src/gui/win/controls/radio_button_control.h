#pragma once
// A radio button. The radio buttons of one container form a group: checking one in code
// clears the others, as a click by the user does.

#include <vector>

#include "gui/win/controls/check_box_control.h"

namespace palvetta {

class TRadioGroup {
 public:
  void Join(HWND button) { FButtons.push_back(button); }
  bool Empty() const { return FButtons.empty(); }
  void ClearAllBut(HWND button) const;

 private:
  std::vector<HWND> FButtons;
};

class TRadioButtonControl : public TCheckBoxControl {
 public:
  // Joins the site's radio group; the first of a group starts it for the arrow keys.
  TRadioButtonControl(const TLayoutNode& node, const TControlSite& site);

 private:
  void BeforeChecking() override;

  std::shared_ptr<TRadioGroup> FGroup;
};

}  // namespace palvetta
