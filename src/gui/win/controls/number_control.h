#pragma once
// A number field: a one-line field with spin buttons, holding a whole number within the
// node's range.

#include "gui/win/controls/edit_control.h"

namespace palvetta {

class TNumberControl : public TEditControl {
 public:
  TNumberControl(const TLayoutNode& node, const TControlSite& site);

  // Shown within the range.
  void SetNumber(int value);
  // The text as a whole number within the range: a number outside it reads as the
  // nearest end, anything else as the smallest value.
  int Number() const;

  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  void SetEnabled(bool enabled) override;
  void Place(const TRect& rect, const TPlaceContext& context) override;

 private:
  HWND FSpin;
  int FMinimum;
  int FMaximum;
};

}  // namespace palvetta
