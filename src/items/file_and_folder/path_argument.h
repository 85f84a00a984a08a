#pragma once
// A path the user typed, as one argument of a command line.

#include <string>
#include <string_view>

#include "model/quoting.h"

namespace palvetta {

// Quoted where cmd.exe would split or misread it, and on one line: a value loaded from a
// file may hold a line break, which would start a second command.
inline std::string PathArgument(std::string_view path) { return QuoteIfSpaced(OneLine(path)); }

}  // namespace palvetta
