#include "base/date_time_text.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(DateTimeText, DateAndTimeOfAValue) {
  struct Case {
    double value;
    TCivilDate date;
    TClockTime time;
  };
  const Case cases[] = {
      {0.0, {1899, 12, 30}, {0, 0, 0}},
      {1.75, {1899, 12, 31}, {18, 0, 0}},
      {-1.25, {1899, 12, 29}, {6, 0, 0}},  // before the epoch the time still counts up
      {45351.0 + 1.0 / 86400, {2024, 2, 29}, {0, 0, 1}},
      {36526.999999, {2000, 1, 1}, {23, 59, 59}},  // never rounds into the next day
      // What a damaged file may hold stays inside the calendar.
      {1e300, {9999, 12, 31}, {0, 0, 0}},
      {-1e300, {1, 1, 1}, {0, 0, 0}},
      {std::nan(""), {1899, 12, 30}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(DateOf(c.value), c.date);
    EXPECT_EQ(TimeOf(c.value), c.time);
  }
  EXPECT_EQ(DateValue(2000, 1, 1), 36526.0);
}

}  // namespace
}  // namespace palvetta
