#pragma once
// Searching and comparing the crash reporter's texts, 8-bit ("A") and UTF-16 ("W").
// Positions are 1-based and 0 means "not found". A range from..to names the start
// positions to try: forwards when to >= from, backwards from `from` down to `to` when
// to < from; kToEnd as `to` runs to the end of the text. "Text" variants ignore case (see
// case_folding.h), "Str" variants compare exactly.
//
// Nothing here allocates or throws: safe on the capture path of a faulting thread.

#include <climits>
#include <cstddef>
#include <string_view>

namespace palvetta {

constexpr int kToEnd = INT_MAX;

// The worker behind the Pos functions: sub and text as buffers with their lengths (a
// length of 0 means up to the terminating zero), a 0-based range of start positions,
// 0-based result, -1 when not found.
int FindInBufferA(const char* sub, size_t subLength, const char* text, size_t textLength, int from,
                  int to, bool ignoreCase) noexcept;
int FindInBufferW(const char16_t* sub, size_t subLength, const char16_t* text, size_t textLength,
                  int from, int to, bool ignoreCase) noexcept;

int PosTextA(std::string_view sub, std::string_view text, int from = 1, int to = kToEnd) noexcept;
int PosInRange(std::u16string_view sub, std::u16string_view text, int from = 1, int to = kToEnd) noexcept;

bool SameTextW(std::u16string_view a, std::u16string_view b) noexcept;
// The difference of the first folded characters that differ, else length(a) - length(b).
int CompareTextW(std::u16string_view a, std::u16string_view b) noexcept;

}  // namespace palvetta
