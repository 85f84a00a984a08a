#pragma once
// A list of folders in one field, separated by ";" (FINDSTR's /D:), as the lines the
// folder-list picker shows, and back.

#include <string>
#include <string_view>

#include "base/text.h"

namespace palvetta {

// One line per ";"-separated part, as it stands (blanks and empty parts included).
TStrings FolderListLines(std::string_view list);
// The lines trimmed, the blank ones dropped, joined by ";".
std::string FolderListOf(const TStrings& lines);

}  // namespace palvetta
