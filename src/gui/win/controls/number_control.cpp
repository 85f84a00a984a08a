#include "gui/win/controls/number_control.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>

namespace palvetta {

TNumberControl::TNumberControl(const TLayoutNode& node, const TControlSite& site)
    : TEditControl(node, site),
      FSpin(CreateControl({.Parent = site.Parent,
                           .ClassName = UPDOWN_CLASSW,
                           .Style = UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                    UDS_NOTHOUSANDS})),
      FMinimum(node.Minimum),
      FMaximum(node.Maximum) {
  SendMessageW(FSpin, UDM_SETRANGE32, static_cast<WPARAM>(FMinimum),
               static_cast<LPARAM>(FMaximum));
  SendMessageW(FSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
}

void TNumberControl::SetNumber(int value) {
  SetText(std::to_string(std::clamp(value, FMinimum, FMaximum)));
}

int TNumberControl::Number() const {
  const std::string text = Trim(WindowText(Handle()));
  long long value = FMinimum;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = text.starts_with('-') ? FMinimum : FMaximum;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    value = FMinimum;
  }
  return static_cast<int>(std::clamp<long long>(value, FMinimum, FMaximum));
}

void TNumberControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetNumber(values.Index(Name()));
}

void TNumberControl::Read(TEditorValues& values) const { values.SetIndex(Name(), Number()); }

void TNumberControl::SetEnabled(bool enabled) {
  TEditControl::SetEnabled(enabled);
  EnableWindow(FSpin, enabled);
}

void TNumberControl::Place(const TRect& rect, const TPlaceContext&) {
  MoveTo(rect, rect.Height);
  // Re-attaching the buddy puts the spin buttons inside the field's rectangle again.
  SendMessageW(FSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
  const bool shown = !rect.IsEmpty();
  ShowWindow(FSpin, shown ? SW_SHOWNA : SW_HIDE);
  Show(shown);
}

}  // namespace palvetta
