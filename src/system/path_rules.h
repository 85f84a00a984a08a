#pragma once
// Rules on the text of Windows paths that the short- and long-name conversions share;
// the Windows build supplies the file system's answers (win/system_info.h).

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace palvetta {

// The root of a path: "C:\" (the first three characters) when the second character is
// ":"; for "\\server\share\..." everything up to and including the backslash behind the
// share name, the whole path when that backslash is missing, empty when the server name
// has none behind it; empty for anything else and for fewer than two characters.
std::string PathRootA(std::string_view path);
std::u16string PathRootW(std::u16string_view path);

// Answers for one component: the path up to and including it in, the name to write in
// its place out, or nothing to keep it as written.
using TComponentLookup = std::function<std::optional<std::u16string>(const std::u16string& pathUpToComponent)>;

// Takes the path apart from its end down to its root, one component at a time, and puts
// it together again with each component that `wanted` selects replaced by the lookup's
// answer. The root stays as written.
std::u16string RewritePathComponents(std::u16string_view path, bool (*wanted)(std::u16string_view component),
                                     const TComponentLookup& lookup);

// Which components the conversions look up: those without wildcards for short names,
// those with "~" for long names.
bool HasNoWildcard(std::u16string_view component) noexcept;
bool HasTilde(std::u16string_view component) noexcept;

}  // namespace palvetta
