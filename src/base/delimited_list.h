#pragma once
// Lists kept in one text, their items separated by a delimiter character.

#include <string>
#include <string_view>

namespace palvetta {

// The number of items: delimiters plus one; 0 for an empty text.
int SubStrCountA(std::string_view text, char delimiter) noexcept;
int SubStrCountW(std::u16string_view text, char16_t delimiter) noexcept;
// The index-th item (1-based); empty when the text has fewer.
std::string SubStrA(std::string_view text, int index, char delimiter);
std::u16string SubStrW(std::u16string_view text, int index, char16_t delimiter);
// Whether the item is one whole item of the list (exactly, or ignoring case); an empty
// item is never found.
bool IsItemInListW(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept;
bool IsItemInListTextW(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept;

}  // namespace palvetta
