#pragma once
// How the drive and file-system items write drives, volumes and labels.

#include <string>
#include <string_view>

namespace palvetta {

// A drive letter as text; the letter 0 (none stored) gives an empty text.
std::string DriveLetterText(char16_t letter);

// A label or volume name as one argument: every double quote removed, trimmed, and
// wrapped in double quotes when it holds a blank or one of & | < > ^.
std::string QuoteIfSpecial(std::string_view text);

// A volume as stored, on one line, with ":" added when it is a single character ("D"
// gives "D:", "D:" and "\\?\Volume{...}" stay).
std::string VolumeArgument(std::string_view volume);

}  // namespace palvetta
