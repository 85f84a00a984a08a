#pragma once
// Text helpers shared by the model and the items. Text is UTF-8 throughout.

#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

using TStrings = std::vector<std::string>;

// Characters of code 32 and below count as white space, as everywhere in batch text.
bool IsWhiteSpace(char c);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);
bool IsBlank(std::string_view text);

// Splits at CR, LF and CRLF. A final line break ends the last line and adds no empty
// one; an empty text has no lines.
TStrings SplitLines(std::string_view text);
// The lines joined by the separator, with no separator after the last.
std::string JoinWith(const TStrings& lines, std::string_view separator);
// Every line followed by CRLF: the text of a line list.
std::string LinesText(const TStrings& lines);
// Every CR, LF or CRLF replaced by the given text.
std::string ReplaceLineBreaks(std::string_view text, std::string_view replacement);

// Exact, case-sensitive replacement of every occurrence.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Comparisons that fold only the ASCII letters.
std::string UpperAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
bool StartsWithAscii(std::string_view text, std::string_view prefix);  // ignoring case

// Comparisons that fold letters the way cmd.exe treats variable names: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic.
bool ContainsIgnoreCase(std::string_view text, std::string_view pattern);
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
bool SameTextIgnoreCase(std::string_view a, std::string_view b);

std::string IntToStr(long long value);

}  // namespace palvetta
