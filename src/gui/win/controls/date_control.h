#pragma once
// A date picker; its value is the date, as days since 1899-12-30.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TDateControl : public TDialogControl {
 public:
  TDateControl(const TLayoutNode& node, const TControlSite& site);

  // The time of day is dropped.
  void SetDate(double date);
  double Date() const;

  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
};

}  // namespace palvetta
