#pragma once
// Dates and times written as text by a user's locale ("31.12.2024 13:45:00",
// "12/31/2024 1:45:00 PM"), as older project files hold them. Values are days since
// 1899-12-30 with the time of day as the fraction.

#include <optional>
#include <string_view>

namespace palvetta {

enum class TDateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The order of the user's short date format: Windows asks the system, the host uses
// month-day-year.
TDateOrder UserDateOrder();

struct TCivilDate {
  int Year = 1899;
  unsigned Month = 12;
  unsigned Day = 30;
  bool operator==(const TCivilDate&) const = default;
};

struct TClockTime {
  unsigned Hour = 0;
  unsigned Minute = 0;
  unsigned Second = 0;
  bool operator==(const TClockTime&) const = default;
};

// The calendar date of a value, clamped to the years 1 to 9999 (a damaged file may hold
// any number, NaN included).
TCivilDate DateOf(double value);

// The time of day of a value (the fraction, also for days before 1899-12-30), to the
// second, rounded.
TClockTime TimeOf(double value);

// The value of a calendar date at midnight.
double DateValue(int year, unsigned month, unsigned day);

// Today's date in the user's time zone, at midnight.
double Today();

// The current date and time in the user's time zone, to the whole minute.
double NowToTheMinute();

// A date, a time, or a date followed by a time; nothing when the text is neither.
std::optional<double> ParseDateTimeText(std::string_view text, TDateOrder order);

}  // namespace palvetta
