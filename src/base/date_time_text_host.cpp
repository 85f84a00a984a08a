#include "base/date_time_text.h"

#include <ctime>

namespace palvetta {

TDateOrder UserDateOrder() { return TDateOrder::MonthDayYear; }

double Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local = {};
  localtime_r(&now, &local);
  return DateValue(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                   static_cast<unsigned>(local.tm_mday));
}

double NowToTheMinute() {
  const std::time_t now = std::time(nullptr);
  std::tm local = {};
  localtime_r(&now, &local);
  return DateValue(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                   static_cast<unsigned>(local.tm_mday)) +
         (local.tm_hour * 60 + local.tm_min) / 1440.0;
}

}  // namespace palvetta
