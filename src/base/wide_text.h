#pragma once
// ASCII texts out of UTF-16 ones, and the test of identifier texts. (UTF-8 and UTF-16
// convert through utf.h.)

#include <string>
#include <string_view>

namespace palvetta {

// The low byte of each unit of a zero-terminated UTF-16 text, without any code page
// (for texts known to be ASCII); empty for nullptr.
std::string WideLowBytesToAnsi(const char16_t* text);

// Whether the whole text is an identifier: a letter, "_" or a character above 255 first,
// then those, digits, and dots when allowed. An empty text is none.
bool IsIdentifierText(std::u16string_view text, bool allowDots) noexcept;

}  // namespace palvetta
