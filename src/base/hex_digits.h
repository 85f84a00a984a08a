#pragma once
// Addresses and offsets as the crash reporter's stack texts and listings show them:
// lower-case hexadecimal digits, no "$" (number_text.h has the forms with "$"). This
// builds a string, so it is not for the capture path of a faulting thread.

#include <cstdint>
#include <cstdio>
#include <string>

namespace palvetta {

// Zero-padded to width digits (0: as few as the value needs).
inline std::string HexDigits(uint64_t value, int width) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%0*llx", width, static_cast<unsigned long long>(value));
  return buffer;
}

}  // namespace palvetta
