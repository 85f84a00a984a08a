#pragma once
// Trimming and replacing in the crash reporter's UTF-16 texts (settings, paths, report
// fields). The functions change the text in place and return whether it changed.
//
// These build new strings, so they are not for the capture path of a faulting thread;
// the searches and comparisons that are, are in text_search.h.

#include <string>
#include <string_view>

namespace palvetta {

// Removes the characters #0..#32 from both ends.
bool TrimInPlaceW(std::u16string& text);

// Replaces every occurrence of sub. Without rescan the search goes on behind each
// replacement; with rescan it goes on at the replacement's start, so that the replacement
// takes part in the next match. A rescan whose replacement contains sub would never end:
// it is refused, leaving the text unchanged and returning false. An empty sub replaces
// nothing.
bool ReplaceStr(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);
// The same, ignoring case as text_search.h does.
bool ReplaceText(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan);

// Removes blanks and delimiters from both ends, and the blanks and repeated delimiters
// around each delimiter: " a , ,b ," becomes "a,b" for a comma.
bool CleanDelimitedList(std::u16string& text, char16_t delimiter);

}  // namespace palvetta
