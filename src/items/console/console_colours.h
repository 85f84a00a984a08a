#pragma once
// The sixteen console colours by number, as COLOR, CMD /T: and FINDSTR /A: read a
// hexadecimal digit, padded as the colour lists show them.

#include <cstdint>
#include <iterator>
#include <string_view>

#include "base/text.h"

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

// The colours in the order of their digit, for the colour lists of the dialogs.
inline TStrings ConsoleColours() {
  return TStrings(std::begin(kConsoleColourNames), std::end(kConsoleColourNames));
}

}  // namespace palvetta
