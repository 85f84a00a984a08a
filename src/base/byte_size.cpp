#include "base/byte_size.h"

#include <algorithm>
#include <cstdio>

namespace palvetta {

std::string FormatByteSize(int64_t size, char decimalSeparator) {
  static constexpr const char* kUnits[] = {"Bytes", "KB", "MB", "GB", "TB",
                                           "PB",    "EB", "ZB", "YB"};
  int unit = 0;
  long double power = 1024;
  while (unit < 8 && static_cast<long double>(size) > power) {
    ++unit;
    power *= 1024;
  }
  const long double value = static_cast<long double>(size) / (power / 1024);
  // "###0.##": no grouping, up to two decimals, no trailing zeros.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2Lf", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text + " " + kUnits[unit];
}

}  // namespace palvetta
