#pragma once
// The crash reporter's conversions between its 8-bit and UTF-16 texts, and the test of
// identifier texts.

#include <string>
#include <string_view>

namespace palvetta {

// UTF-8 to UTF-16 and back, the whole text (an embedded zero included); a malformed
// sequence or a lone surrogate becomes U+FFFD, as Windows' own conversion does.
std::u16string Utf8ToWideStr(std::string_view utf8);
std::string WideToUtf8Str(std::u16string_view utf16);

// The low byte of each unit of a zero-terminated UTF-16 text, without any code page
// (for texts known to be ASCII); empty for nullptr.
std::string WideLowBytesToAnsi(const char16_t* text);

// Whether the whole text is an identifier: a letter, "_" or a character above 255 first,
// then those, digits, and dots when allowed. An empty text is none.
bool IsIdentifierText(std::u16string_view text, bool allowDots) noexcept;

}  // namespace palvetta
