#pragma once
// Parts of Windows paths (backslash-separated) as UTF-16 texts, as the Windows calls give
// and take them. These build strings, so they are not for the capture path of a faulting
// thread (the text helpers that are, are in text_search.h).

#include <string>
#include <string_view>

namespace palvetta {

// The text after the last backslash; the whole text when it has none.
std::u16string PathFileName(std::u16string_view path);
// The text up to and including the last backslash; empty when it has none.
std::u16string PathFolder(std::u16string_view path);
// The file name's extension with its dot: from the last "." behind the last backslash;
// empty when the file name has none (a dot in a folder name is no extension).
std::u16string PathExtension(std::u16string_view path);

}  // namespace palvetta
