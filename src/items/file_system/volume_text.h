#pragma once
// How the drive and file-system items write drives, volumes and labels.

#include <string>
#include <string_view>

namespace palvetta {

// A drive letter as text; the letter 0 (none stored) gives an empty text.
std::string DriveLetterText(char16_t letter);

// A label or volume name as one argument, as QuoteIfSpaced writes a name: a double quote
// left out, and quoted when it holds a blank or a character cmd.exe would act on (a ")"
// would close the block the line stands in).
std::string QuoteIfSpecial(std::string_view text);

// A volume as stored, as one argument (QuoteIfSpaced), with ":" added when it is a single
// character ("D" gives "D:", "D:" and "\\?\Volume{...}" stay).
std::string VolumeArgument(std::string_view volume);

}  // namespace palvetta
