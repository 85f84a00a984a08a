#pragma once
// MS-DOS dates and times, as ZIP entries store them.

#include <cstdint>

namespace palvetta {

struct TLocalDateTime {
  int Year;
  int Month;  // 1..12
  int Day;    // 1..31
  int Hour;
  int Minute;
  int Second;
};

// The date in the high 16 bits, the time (in two-second steps) in the low 16. Times
// outside what the format holds, 1980 to 2107, become its first or last moment instead
// of a wrapped year.
uint32_t DosDateTime(const TLocalDateTime& time);

}  // namespace palvetta
