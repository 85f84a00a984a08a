#pragma once
// Searching and comparing the crash reporter's texts, 8-bit ("A") and UTF-16 ("W"), all
// ignoring case (see case_folding.h). Positions are 0-based indexes; kNotFound, the same
// value as std::string_view::npos, means "not found". A range from..to names the start
// indexes to try: forwards when to >= from, backwards from `from` down to `to` when
// to < from; kToEnd runs to the end of the text (as `to`) or starts at the last index
// where sub fits (as `from`).
//
// Nothing here allocates or throws: these are the text helpers that are safe on the
// capture path of a faulting thread. The ones that build strings are in text_edit.h,
// number_text.h and path_text.h.

#include <cstddef>
#include <string_view>

namespace palvetta {

constexpr size_t kNotFound = std::string_view::npos;
constexpr size_t kToEnd = std::string_view::npos;

size_t PosTextA(std::string_view sub, std::string_view text, size_t from = 0, size_t to = kToEnd) noexcept;
size_t PosInRange(std::u16string_view sub, std::u16string_view text, size_t from = 0,
                  size_t to = kToEnd) noexcept;

bool SameTextW(std::u16string_view a, std::u16string_view b) noexcept;
// The difference of the first folded characters that differ, else length(a) - length(b).
int CompareTextW(std::u16string_view a, std::u16string_view b) noexcept;

}  // namespace palvetta
