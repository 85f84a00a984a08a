#include <windows.h>

#include "base/date_time_text.h"

namespace palvetta {

DateOrder UserDateOrder() {
  wchar_t pattern[80] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80) > 0) {
    for (const wchar_t* c = pattern; *c; ++c) {
      if (*c == L'd') return DateOrder::DayMonthYear;
      if (*c == L'y') return DateOrder::YearMonthDay;
      if (*c == L'M') return DateOrder::MonthDayYear;
    }
  }
  return DateOrder::MonthDayYear;
}

}  // namespace palvetta
