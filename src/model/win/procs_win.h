#pragma once
// The shared procedures that ask Windows.

#include <string>

#include "model/text.h"

namespace palvetta {

// The full path of the running program, however long.
std::wstring ProgramPath();
// The running program's version from its version resource: "1.2.3" or, with the
// build, "1.2.3.4"; "1.0" when it has none.
std::string GetAppVersion(bool withBuild);
// Clears the list and fills it with the root paths of the logical drives ("C:\").
void ListLogicalDrives(TStrings& list);
// The user's decimal separator, for FormatByteSize.
char UserDecimalSeparator();

}  // namespace palvetta
