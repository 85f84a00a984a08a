#include "model/command_dates.h"

#include <cstdio>

namespace palvetta {
namespace {

std::string Format(const char* format, auto... values) {
  char buffer[32];
  const int size = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, static_cast<size_t>(size > 0 ? size : 0));
}

}  // namespace

std::string MonthDayYear(double date) {
  const TCivilDate d = DateOf(date);
  return Format("%u-%u-%d", d.Month, d.Day, d.Year);
}

std::string CompactDate(double date) {
  const TCivilDate d = DateOf(date);
  return Format("%04d%02u%02u", d.Year, d.Month, d.Day);
}

std::string CompactTime(double time) {
  const TClockTime t = TimeOf(time);
  return Format("%02u%02u", t.Hour, t.Minute);
}

std::string HourMinute(double time) {
  const TClockTime t = TimeOf(time);
  return Format("%02u:%02u", t.Hour, t.Minute);
}

std::string SlashedDate(double date, TDateOrder order) {
  const TCivilDate d = DateOf(date);
  switch (order) {
    case TDateOrder::DayMonthYear: return Format("%02u/%02u/%04d", d.Day, d.Month, d.Year);
    case TDateOrder::YearMonthDay: return Format("%04d/%02u/%02u", d.Year, d.Month, d.Day);
    case TDateOrder::MonthDayYear: break;
  }
  return Format("%02u/%02u/%04d", d.Month, d.Day, d.Year);
}

}  // namespace palvetta
