#pragma once
// File version numbers as text.

#include <cstdint>
#include <string>

namespace palvetta {

// "1.2.3.4" from a version resource's two 32-bit halves: each 16-bit half as a decimal
// number, most significant first.
std::u16string FileVersionNumberText(uint32_t mostSignificant, uint32_t leastSignificant);

// "040904b0" from a translation entry: the language, then the code page, each as four
// lower-case hexadecimal digits.
std::u16string TranslationKey(uint16_t language, uint16_t codePage);

}  // namespace palvetta
