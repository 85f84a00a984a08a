#include "gui/win/controls/date_control.h"

#include <commctrl.h>

#include "base/date_time_text.h"
#include "gui/win/controls/wheel_routing.h"

namespace palvetta {
namespace {

// The picker's window class comes with the date classes of the common controls.
TControlArgs PickerArgs() {
  INITCOMMONCONTROLSEX init = {sizeof(init), ICC_DATE_CLASSES};
  InitCommonControlsEx(&init);
  return {.ClassName = DATETIMEPICK_CLASSW, .Style = kInputStyle | DTS_SHORTDATEFORMAT};
}

}  // namespace

TDateControl::TDateControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site, PickerArgs()) {
  WheelOnlyWithFocus(Handle());
}

void TDateControl::SetDate(double date) {
  const TCivilDate day = DateOf(date);
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(day.Year);
  time.wMonth = static_cast<WORD>(day.Month);
  time.wDay = static_cast<WORD>(day.Day);
  SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

double TDateControl::Date() const {
  SYSTEMTIME time = {};
  SendMessageW(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return DateValue(time.wYear, time.wMonth, time.wDay);
}

void TDateControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetDate(values.Date(Name()));
}

void TDateControl::Read(TEditorValues& values) const { values.SetDate(Name(), Date()); }

}  // namespace palvetta
