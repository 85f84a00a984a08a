#pragma once
// A one-line field; its value is its text.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TEditControl : public TDialogControl {
 public:
  TEditControl(const TLayoutNode& node, const TControlSite& site);
  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;

 protected:
  // For fields of other shapes: the edit styles besides the input style.
  TEditControl(const TLayoutNode& node, const TControlSite& site, DWORD editStyle);
};

}  // namespace palvetta
