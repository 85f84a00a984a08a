#pragma once
// A check box; its value is whether it is checked.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TCheckBoxControl : public TDialogControl {
 public:
  TCheckBoxControl(const TLayoutNode& node, const TControlSite& site);

  // Runs the click handler when the state changes.
  void SetChecked(bool checked);
  bool Checked() const;

  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;

 protected:
  // For buttons of other styles that hold a check state.
  TCheckBoxControl(const TLayoutNode& node, const TControlSite& site, DWORD style);

 private:
  // Before the state changes to checked.
  virtual void BeforeChecking() {}
};

}  // namespace palvetta
