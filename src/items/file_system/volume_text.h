#pragma once
// How the drive and file-system items write drives, volumes and labels.

#include <string>
#include <string_view>

namespace palvetta {

// A drive letter as text; the letter 0 (none stored) gives an empty text.
std::string DriveLetterText(char16_t letter);

// A volume as stored, as one argument (QuoteIfSpaced), with ":" added when it is a single
// character ("D" gives "D:", "D:" and "\\?\Volume{...}" stay).
std::string VolumeArgument(std::string_view volume);

}  // namespace palvetta
