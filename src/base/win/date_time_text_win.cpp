#include <windows.h>

#include "base/date_time_text.h"

namespace palvetta {

TDateOrder UserDateOrder() {
  wchar_t pattern[80] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80) > 0) {
    for (const wchar_t* c = pattern; *c; ++c) {
      if (*c == L'd') return TDateOrder::DayMonthYear;
      if (*c == L'y') return TDateOrder::YearMonthDay;
      if (*c == L'M') return TDateOrder::MonthDayYear;
    }
  }
  return TDateOrder::MonthDayYear;
}

double Today() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return DateValue(now.wYear, now.wMonth, now.wDay);
}

double NowToTheMinute() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return DateValue(now.wYear, now.wMonth, now.wDay) + (now.wHour * 60 + now.wMinute) / 1440.0;
}

}  // namespace palvetta
