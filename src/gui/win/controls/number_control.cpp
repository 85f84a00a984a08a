#include "gui/win/controls/number_control.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <limits>

#include "gui/win/controls/wheel_routing.h"

namespace palvetta {
namespace {

int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max()));
}

bool IsWide(const TLayoutNode& node) {
  return node.Minimum < std::numeric_limits<int>::min() ||
         node.Maximum > std::numeric_limits<int>::max();
}

}  // namespace

bool TNumberControl::Wide() const {
  return FMinimum < std::numeric_limits<int>::min() || FMaximum > std::numeric_limits<int>::max();
}


TNumberControl::TNumberControl(const TLayoutNode& node, const TControlSite& site)
    : TEditControl(node, site),
      FSpin(CreateControl({.Parent = site.Parent,
                           .ClassName = UPDOWN_CLASSW,
                           .Style = UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                    static_cast<DWORD>(IsWide(node) ? 0 : UDS_SETBUDDYINT)})),
      FMinimum(node.Minimum),
      FMaximum(node.Maximum) {
  SendMessageW(FSpin, UDM_SETRANGE32, static_cast<WPARAM>(ClampToInt(FMinimum)),
               static_cast<LPARAM>(ClampToInt(FMaximum)));
  AttachSpin();
}

void TNumberControl::AttachSpin() const {
  SendMessageW(FSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
  // The spin buttons step the field on the wheel, over them or over the field.
  WheelOnlyWithFocus(FSpin, Handle());
  WheelOnlyWithFocus(Handle(), Handle());
}

void TNumberControl::SetNumber(int64_t value) {
  SetText(std::to_string(std::clamp(value, FMinimum, FMaximum)));
}

int64_t TNumberControl::Number() const {
  const std::string text = Trim(WindowText(Handle()));
  int64_t value = FMinimum;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = text.starts_with('-') ? FMinimum : FMaximum;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    value = FMinimum;
  }
  return std::clamp(value, FMinimum, FMaximum);
}

void TNumberControl::Step(int steps) {
  const int64_t value = Number();
  // Stops at the ends without passing the range of int64_t.
  const int64_t next = steps > 0 ? (value > FMaximum - steps ? FMaximum : value + steps)
                                 : (value < FMinimum - steps ? FMinimum : value + steps);
  SetNumber(next);
}

void TNumberControl::Fill(const TEditorValues& values) {
  if (!values.Has(Name())) return;
  FLarge = values.HoldsLargeNumber(Name());
  SetNumber(FLarge ? values.LargeNumber(Name()) : values.Index(Name()));
}

void TNumberControl::Read(TEditorValues& values) const {
  if (FLarge) {
    values.SetLargeNumber(Name(), Number());
  } else {
    values.SetIndex(Name(), ClampToInt(Number()));
  }
}

void TNumberControl::SetEnabled(bool enabled) {
  TEditControl::SetEnabled(enabled);
  EnableWindow(FSpin, enabled);
}

void TNumberControl::Place(const TRect& rect, const TPlaceContext&) {
  MoveTo(rect, rect.Height);
  // Re-attaching the buddy puts the spin buttons inside the field's rectangle again.
  AttachSpin();
  const bool shown = !rect.IsEmpty();
  ShowWindow(FSpin, shown ? SW_SHOWNA : SW_HIDE);
  Show(shown);
}

}  // namespace palvetta
