#include <gtest/gtest.h>

#include "codec/dos_date_time.h"

namespace palvetta {
namespace {

constexpr uint32_t Dos(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<uint32_t>(((year - 1980) << 9 | month << 5 | day) << 16 | (hour << 11 | minute << 5 | second / 2));
}

TEST(DosDateTimeTest, ConvertsAndClampsToTheYearsTheFormatHolds) {
  const struct {
    TLocalDateTime Time;
    uint32_t Dos;
  } cases[] = {
      {{2024, 5, 17, 13, 45, 31}, Dos(2024, 5, 17, 13, 45, 30)},
      {{1980, 1, 1, 0, 0, 0}, Dos(1980, 1, 1, 0, 0, 0)},
      {{1979, 12, 31, 23, 59, 59}, Dos(1980, 1, 1, 0, 0, 0)},
      {{1970, 1, 1, 0, 0, 0}, Dos(1980, 1, 1, 0, 0, 0)},
      {{2107, 12, 31, 23, 59, 59}, Dos(2107, 12, 31, 23, 59, 58)},
      {{2200, 6, 1, 12, 0, 0}, Dos(2107, 12, 31, 23, 59, 58)},
  };
  for (const auto& c : cases) EXPECT_EQ(DosDateTime(c.Time), c.Dos) << c.Time.Year;
}

}  // namespace
}  // namespace palvetta
