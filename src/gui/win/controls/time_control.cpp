#include "gui/win/controls/time_control.h"

#include <commctrl.h>

#include <cmath>

#include "gui/win/controls/wheel_routing.h"

namespace palvetta {
namespace {

constexpr double kSecondsPerDay = 24 * 60 * 60;

TControlArgs PickerArgs() {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_DATE_CLASSES};
  InitCommonControlsEx(&init);
  return {.ClassName = DATETIMEPICK_CLASSW, .Style = kInputStyle | DTS_TIMEFORMAT | DTS_UPDOWN};
}

}  // namespace

TTimeControl::TTimeControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, PickerArgs()) {
  // Hours and minutes, 24-hour: what a time of day on a command line holds.
  SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm"));
  WheelOnlyWithFocus(Handle());  // its spin buttons are its child
}

void TTimeControl::SetTime(double time) {
  const double fraction = time - std::floor(time);
  auto seconds = static_cast<long>(std::lround(fraction * kSecondsPerDay));
  if (seconds >= static_cast<long>(kSecondsPerDay)) seconds = 0;
  // The picker needs a valid date beside the time; which one does not matter.
  SYSTEMTIME value = {};
  value.wYear = 2000;
  value.wMonth = 1;
  value.wDay = 1;
  value.wHour = static_cast<WORD>(seconds / 3600);
  value.wMinute = static_cast<WORD>(seconds / 60 % 60);
  value.wSecond = static_cast<WORD>(seconds % 60);
  SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}

double TTimeControl::Time() const {
  SYSTEMTIME value = {};
  SendMessageW(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
  return (value.wHour * 3600 + value.wMinute * 60 + value.wSecond) / kSecondsPerDay;
}

void TTimeControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetTime(values.Date(Name()));
}

void TTimeControl::Read(TEditorValues& values) const { values.SetDate(Name(), Time()); }

}  // namespace palvetta
