#pragma once
// A number field: a one-line field with spin buttons, holding a whole number within the
// node's range, which may pass the range of int (byte sizes).

#include <cstdint>

#include "gui/win/controls/edit_control.h"

namespace palvetta {

class TNumberControl : public TEditControl {
 public:
  TNumberControl(const TLayoutNode& node, const TControlSite& site);

  // Shown within the range.
  void SetNumber(int64_t value);
  // The text as a whole number within the range: a number outside it reads as the
  // nearest end, anything else as the smallest value.
  int64_t Number() const;
  // A range past that of int, which the spin buttons cannot step themselves: they leave
  // the text to Step, which moves the value by the steps, within the range.
  bool Wide() const;
  void Step(int steps);

  // The field's value comes as a number or a large number, and goes back in the kind it
  // came in (a number: within the range of int).
  void Fill(const TEditorValues& values) override;
  void Read(TEditorValues& values) const override;
  void SetEnabled(bool enabled) override;
  void Place(const TRect& rect, const TPlaceContext& context) override;

 private:
  void AttachSpin() const;

  HWND FSpin;
  int64_t FMinimum;
  int64_t FMaximum;
  bool FLarge = false;  // last filled from a large number
};

}  // namespace palvetta
