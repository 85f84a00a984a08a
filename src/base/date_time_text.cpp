#include "base/date_time_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "base/text.h"

namespace palvetta {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

// The proleptic Gregorian date of a day counted from 1970-01-01 (the inverse).
TCivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = static_cast<long long>(yoe) + era * 400 + (month <= 2);
  return {static_cast<int>(year), month, day};
}

constexpr long long kEpochDays = DaysFromCivil(1899, 12, 30);

unsigned DaysInMonth(long long year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Splits at any character that is not a digit; nothing when a field is not a number.
std::optional<std::vector<long long>> Numbers(std::string_view text, std::string_view separators) {
  std::vector<long long> numbers;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of(separators, i);
    if (end == std::string_view::npos) end = text.size();
    long long value;
    const auto [ptr, error] = std::from_chars(text.data() + i, text.data() + end, value);
    if (error != std::errc() || ptr != text.data() + end || end == i) return std::nullopt;
    numbers.push_back(value);
    i = end + 1;
    if (end < text.size() && i == text.size()) return std::nullopt;  // trailing separator
  }
  return numbers;
}

std::optional<double> ParseDate(std::string_view text, TDateOrder order) {
  const auto fields = Numbers(text, "./-");
  if (!fields || fields->size() != 3) return std::nullopt;
  long long year, month, day;
  const auto& f = *fields;
  // A four-digit first field can only be a year.
  if (text.find_first_of("./-") == 4) order = TDateOrder::YearMonthDay;
  switch (order) {
    case TDateOrder::DayMonthYear: day = f[0], month = f[1], year = f[2]; break;
    case TDateOrder::YearMonthDay: year = f[0], month = f[1], day = f[2]; break;
    case TDateOrder::MonthDayYear:
    default: month = f[0], day = f[1], year = f[2]; break;
  }
  if (year < 100) year += year < 50 ? 2000 : 1900;  // two-digit years, as short formats write
  if (year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, static_cast<unsigned>(month))) {
    return std::nullopt;
  }
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             DaysFromCivil(1899, 12, 30));
}

std::optional<double> ParseTime(std::string_view text) {
  std::string t = Trim(text);
  int addHours = 0;
  for (const auto& [suffix, hours] : {std::pair{"AM", 0}, std::pair{"PM", 12}}) {
    if (t.size() > 2 && SameTextAscii(t.substr(t.size() - 2), suffix)) {
      t = TrimRight(t.substr(0, t.size() - 2));
      addHours = hours == 0 ? -1 : 12;
    }
  }
  const auto fields = Numbers(t, ":");
  if (!fields || fields->size() < 2 || fields->size() > 3) return std::nullopt;
  long long hour = (*fields)[0];
  const long long minute = (*fields)[1];
  const long long second = fields->size() == 3 ? (*fields)[2] : 0;
  if (addHours != 0) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (addHours == 12 ? 12 : 0);
  }
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  return static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

}  // namespace

TCivilDate DateOf(double value) {
  const double first = static_cast<double>(DaysFromCivil(1, 1, 1) - kEpochDays);
  const double last = static_cast<double>(DaysFromCivil(9999, 12, 31) - kEpochDays);
  if (std::isnan(value)) value = 0;
  // Toward zero: -1.25 is a quarter past six on 1899-12-29, not a day earlier.
  const double days = std::clamp(std::trunc(value), first, last);
  return CivilFromDays(static_cast<long long>(days) + kEpochDays);
}

TClockTime TimeOf(double value) {
  if (!std::isfinite(value)) return {};
  const double fraction = std::fabs(value - std::trunc(value));
  auto seconds = static_cast<unsigned>(std::lround(fraction * 86400.0));
  if (seconds >= 86400) seconds = 86399;
  return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

double DateValue(int year, unsigned month, unsigned day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpochDays);
}

std::optional<double> ParseDateTimeText(std::string_view text, TDateOrder order) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  if (auto date = ParseDate(t, order)) return date;
  if (auto time = ParseTime(t)) return time;
  const size_t blank = t.find(' ');
  if (blank == std::string::npos) return std::nullopt;
  const auto date = ParseDate(t.substr(0, blank), order);
  const auto time = ParseTime(t.substr(blank + 1));
  if (!date || !time) return std::nullopt;
  // Before 1899-12-30 the day counts down while the time of day still counts up.
  return *date < 0 ? *date - *time : *date + *time;
}

}  // namespace palvetta
