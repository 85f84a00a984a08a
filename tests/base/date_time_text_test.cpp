#include "base/date_time_text.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(DateTimeText, Cases) {
  struct Case {
    const char* text;
    TDateOrder order;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"12/30/1899", TDateOrder::MonthDayYear, 0.0},
      {"12/31/1899 12:00:00", TDateOrder::MonthDayYear, 1.5},
      {"31.12.1899 12:00", TDateOrder::DayMonthYear, 1.5},
      {"1899-12-31 6:00:00 PM", TDateOrder::YearMonthDay, 1.75},
      {"12/29/1899 06:00:00", TDateOrder::MonthDayYear, -1.25},
      {"1/1/2000", TDateOrder::MonthDayYear, 36526.0},
      {"2000-01-02", TDateOrder::DayMonthYear, 36527.0},  // a four-digit year first is ISO
      {"1/1/00", TDateOrder::MonthDayYear, 36526.0},
      {"12:00:00 AM", TDateOrder::MonthDayYear, 0.0},
      {"18:00", TDateOrder::DayMonthYear, 0.75},
      {"2/30/2024", TDateOrder::MonthDayYear, std::nullopt},
      {"2/29/2023", TDateOrder::MonthDayYear, std::nullopt},
      {"2/29/2024", TDateOrder::MonthDayYear, 45351.0},
      {"13/1/2024", TDateOrder::MonthDayYear, std::nullopt},
      {"24:00", TDateOrder::MonthDayYear, std::nullopt},
      {"yesterday", TDateOrder::MonthDayYear, std::nullopt},
      {"1/2/", TDateOrder::MonthDayYear, std::nullopt},
      {"", TDateOrder::MonthDayYear, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDateTimeText(c.text, c.order), c.value);
  }
}

}  // namespace
}  // namespace palvetta
