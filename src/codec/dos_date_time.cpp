#include "codec/dos_date_time.h"

namespace palvetta {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = kFirstYear + 127;

}  // namespace

uint32_t DosDateTime(const TLocalDateTime& time) {
  TLocalDateTime t = time;
  if (t.Year < kFirstYear) t = {kFirstYear, 1, 1, 0, 0, 0};
  if (t.Year > kLastYear) t = {kLastYear, 12, 31, 23, 59, 58};
  const auto date = static_cast<uint32_t>((t.Year - kFirstYear) << 9 | t.Month << 5 | t.Day);
  const auto clock = static_cast<uint32_t>(t.Hour << 11 | t.Minute << 5 | t.Second / 2);
  return date << 16 | clock;
}

}  // namespace palvetta
