#pragma once
// Code pages as the CHCP and GRAFTABL dialogs offer them: entries of a number and its
// name, and the number a typed or chosen text stands for.

#include <span>
#include <string>
#include <string_view>

namespace palvetta {

// The code pages CHCP is offered, and the smaller set GRAFTABL accepts.
extern const std::string_view kCHCPCodePages[32];
extern const std::string_view kGraftablCodePages[11];

// The code page a text names: its leading decimal digits, once trimmed, as a number from
// 1 to 65535 in plain decimal ("850 (Western European, DOS)" gives "850", "0065001x"
// gives "65001"); empty when there are none or the number is out of that range.
std::string ParseCodePage(std::string_view text);

// The position of the entry that names the code page, or -1; a blank code page names none.
int CodePageEntry(std::span<const std::string_view> entries, std::string_view codePage);

}  // namespace palvetta
