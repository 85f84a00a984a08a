#pragma once
// The sixteen console colours by number, as COLOR, CMD /T: and FINDSTR /A: read a
// hexadecimal digit, padded as the colour lists show them.

#include <cstdint>
#include <string_view>

namespace palvetta {

inline constexpr std::string_view kConsoleColourNames[16] = {
    "Black ",    "Blue  ",       "Green ",       "Aqua  ",      "Red   ",     "Purple",
    "Yellow",    "White ",       "Gray",         "Light Blue",  "Light Green", "Light Aqua",
    "Light Red", "Light Purple", "Light Yellow", "Bright White"};

// A stored number above 15 (only a damaged file holds one) counts by its low four bits,
// as the console reads the digit written for it.
constexpr uint8_t ConsoleColour(uint8_t number) { return number & 0xF; }

inline char ConsoleColourDigit(uint8_t number) { return "0123456789ABCDEF"[ConsoleColour(number)]; }

inline std::string_view ConsoleColourName(uint8_t number) {
  return kConsoleColourNames[ConsoleColour(number)];
}

}  // namespace palvetta
