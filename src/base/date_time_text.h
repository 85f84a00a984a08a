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

// A date, a time, or a date followed by a time; nothing when the text is neither.
std::optional<double> ParseDateTimeText(std::string_view text, TDateOrder order);

}  // namespace palvetta
