#pragma once
// The names under which the project file's prolog names a code page.

#include <optional>
#include <string>
#include <string_view>

namespace palvetta {

// The name written into the prolog for a code page ("Windows-1252" for 1252).
std::string CharsetName(unsigned codePage);
// The code page of a name, ignoring case; nothing for an unknown name.
std::optional<unsigned> CharsetCodePage(std::string_view name);

}  // namespace palvetta
