#pragma once
// Trimming, removing and replacing in the crash reporter's texts. The in-place functions
// return whether the text changed. Positions are 1-based.

#include <string>
#include <string_view>

namespace palvetta {

// Characters #0..#32 count as blank.
bool TrimInPlaceA(std::string& text);
bool TrimInPlaceW(std::u16string& text);
std::u16string TrimW(std::u16string_view text);

// Replaces every occurrence of sub. Without rescan the search goes on behind each
// replacement; with rescan it goes on at the replacement's start, so that the replacement
// takes part in the next match. A rescan whose replacement contains sub would never end:
// it is refused, leaving the text unchanged and returning false. An empty sub replaces
// nothing.
bool ReplaceStrW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);
// The same, ignoring case.
bool ReplaceTextW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);

// Removes blanks and delimiters from both ends, and the blanks and repeated delimiters
// around each delimiter: " a , ,b ," becomes "a,b" for a comma.
bool CleanDelimitedList(std::u16string& text, char16_t delimiter);

}  // namespace palvetta
