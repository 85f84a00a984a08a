#pragma once
// Trimming, removing and replacing in the crash reporter's texts. The in-place functions
// return whether the text changed. Positions are 1-based.

#include <string>
#include <string_view>

#include "base/char_set.h"

namespace palvetta {

// Characters #0..#32 count as blank.
bool TrimInPlaceA(std::string& text);
bool TrimInPlaceW(std::u16string& text);
std::string TrimA(std::string_view text);
std::u16string TrimW(std::u16string_view text);

bool KillCharW(std::u16string& text, char16_t character);
bool KillCharSetW(std::u16string& text, const TCharSet& set);
bool KillSubStrW(std::u16string& text, std::u16string_view sub);

// Replaces every occurrence of sub. Without rescan the search goes on behind each
// replacement; with rescan it goes on at the replacement's start, so that the replacement
// takes part in the next match. A rescan whose replacement contains sub would never end:
// it is refused, leaving the text unchanged and returning false. An empty sub replaces
// nothing.
bool ReplaceStrA(std::string& text, std::string_view sub, std::string_view replacement, bool rescan);
bool ReplaceStrW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);
// The same, ignoring case.
bool ReplaceTextA(std::string& text, std::string_view sub, std::string_view replacement, bool rescan);
bool ReplaceTextW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);

// A copy without count characters from index on; an index outside the text or a count
// of 0 or less removes nothing, a count past the end removes up to the end.
std::string StrDeleteCopyA(std::string_view text, int index, int count);
std::u16string StrDeleteCopyW(std::u16string_view text, int index, int count);
// Keeps the count characters from index on (an index below 1 counts as 1); an index past
// the end or a count of 0 or less leaves an empty text.
bool KeepRangeA(std::string& text, int index, int count);
bool KeepRangeW(std::u16string& text, int index, int count);

// The last n characters; the whole text when n is at least its length.
std::u16string RightChars(std::u16string_view text, int n);

// Removes blanks and delimiters from both ends, and the blanks and repeated delimiters
// around each delimiter: " a , ,b ," becomes "a,b" for a comma.
bool CleanDelimitedList(std::u16string& text, char16_t delimiter);

}  // namespace palvetta
