#pragma once
// Dates and times as commands read them. They never follow the user's locale: a batch
// file made on one machine runs on others.

#include <string>

#include "base/date_time_text.h"

namespace palvetta {

// XCOPY /D: month-day-year without leading zeros ("3-5-2024").
std::string MonthDayYear(double date);

// ROBOCOPY's dates: YYYYMMDD ("20240305").
std::string CompactDate(double date);

// ROBOCOPY's run hours: HHMM ("0730").
std::string CompactTime(double time);

// SCHTASKS times: HH:MM ("07:30").
std::string HourMinute(double time);

// SCHTASKS dates in the order of the machine that runs the batch file, always with
// slashes: dd/mm/yyyy, mm/dd/yyyy or yyyy/mm/dd.
std::string SlashedDate(double date, TDateOrder order);

}  // namespace palvetta
