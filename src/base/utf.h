#pragma once
// The one place where text changes between UTF-8 and UTF-16 (Windows calls, the
// project file's character references) and where code points are read from UTF-8.

#include <string>
#include <string_view>

namespace palvetta {

// A byte that does not start a valid UTF-8 sequence decodes to 0xDC00 + byte (a lone
// surrogate) so that re-encoding gives back the original bytes.
std::u32string DecodeUtf8(std::string_view text);
// The number of bytes of the valid, shortest-form UTF-8 sequence at text[i]; 0 when the
// bytes there are none.
size_t Utf8SequenceLength(std::string_view text, size_t i);
std::string EncodeUtf8(std::u32string_view codePoints);
// Appends the UTF-8 bytes of one code point (a valid one: no surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

// Malformed input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The same, straight between the text and a string of any 16-bit unit (Windows' wchar_t
// as well as char16_t): one pass, no copy in between, runs of ASCII copied as they are.
template <class TUnit>
std::basic_string<TUnit> Utf8ToUtf16Units(std::string_view text);
template <class TUnit>
std::string Utf16UnitsToUtf8(std::basic_string_view<TUnit> text);

}  // namespace palvetta
