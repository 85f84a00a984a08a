#pragma once
// A time picker: hours and minutes with spin buttons; its value is the time of day as a
// fraction of a day.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TTimeControl : public TDialogControl {
 public:
  TTimeControl(const TLayoutNode& node, const TControlSite& site);

  // The day is dropped; seconds are kept as far as the picker holds them.
  void SetTime(double time);
  double Time() const;

  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
};

}  // namespace palvetta
