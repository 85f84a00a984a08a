#pragma once
// Facts about the running program's own file.

#include <string>

namespace palvetta {

// The full path of the running program, however long.
std::wstring ProgramPath();
// The running program's version from its version resource: "1.2.3" or, with the
// build, "1.2.3.4"; "1.0" when it has none.
std::string GetAppVersion(bool withBuild);

}  // namespace palvetta
