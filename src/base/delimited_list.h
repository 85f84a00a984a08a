#pragma once
// Lists kept in one UTF-16 text (the reporter's settings), their items separated by a
// delimiter character. Counting and finding allocate nothing; SubStr builds a string.

#include <cstddef>
#include <string>
#include <string_view>

namespace palvetta {

// The number of items: delimiters plus one; 0 for an empty text.
size_t SubStrCount(std::u16string_view text, char16_t delimiter) noexcept;
// The index-th item (0-based); empty when the text has fewer.
std::u16string SubStr(std::u16string_view text, size_t index, char16_t delimiter);
// Whether the item is one whole item of the list, ignoring case as text_search.h does;
// an empty item is never found.
bool IsItemInListText(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept;

}  // namespace palvetta
