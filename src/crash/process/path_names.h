#pragma once
// File names and folders of the reporter's settings: paths given relative to the
// executable, and a file name without its extension.

#include <string>
#include <string_view>

namespace palvetta {

// The path cut before the extension's dot; a dot in a folder name is no extension.
std::u16string PathWithoutExt(std::u16string_view path);

// An absolute, normalized path: a relative path goes behind the executable's folder, one
// that starts with a single backslash behind the executable's root (drive or share);
// "\.\" steps go and each "\..\" takes the folder before it with it.
std::u16string ExpandToExeFolder(std::u16string_view path, std::u16string_view executablePath);

}  // namespace palvetta
