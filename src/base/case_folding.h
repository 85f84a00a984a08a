#pragma once
// Case for the crash reporter's texts. Comparisons ignoring case fold characters below
// 256 by Windows-1252's lower-case mapping; UTF-16 characters above 255 compare exactly.
// Nothing here but LowerCaseW allocates.

#include <string>
#include <string_view>

namespace palvetta {

// The folding table's entry for characters below 256, else the character.
char16_t FoldCharW(char16_t character) noexcept;
char FoldCharA(char character) noexcept;

// "A".."Z", Ä, Ö and Ü lowered; every other character unchanged.
std::u16string LowerCaseW(std::u16string_view text);

}  // namespace palvetta
