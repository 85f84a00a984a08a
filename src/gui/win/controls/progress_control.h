#pragma once
// A progress bar: a position of 0..100, or a marquee while the length of the work is not
// known.

#include "gui/win/controls/dialog_control.h"

namespace palvetta {

class TProgressControl : public TDialogControl {
 public:
  TProgressControl(const TLayoutNode& node, const TControlSite& site);
  void SetPosition(int position);
  int Position() const;
  void SetMarquee(bool marquee);
  bool Marquee() const;
};

}  // namespace palvetta
