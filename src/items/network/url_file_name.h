#pragma once
// The local file name a download gets from its URL.

#include <string>
#include <string_view>

#include "base/code_page.h"

namespace palvetta {

// The last segment of the URL's path (without query and fragment), percent-decoded
// unless it holds a batch variable reference, with every character a file name cannot
// hold made "_": the control characters, " * / : < > ? \ |, and every character the
// ANSI code page cannot hold or the decoding found no valid UTF-8 for (curl.exe gets its
// arguments in that code page, which would give "?", a wildcard to its -o). An empty
// name, "." and ".." give "download".
std::string FileNameFromURL(std::string_view url, const ICodePage& ansi = SystemCodePage());

// The same name as it goes into a batch line: a decoded "%" is the file name's own and is
// doubled; in a name that was not decoded, variable references stay (EscapePercents).
std::string BatchFileNameFromURL(std::string_view url, const ICodePage& ansi = SystemCodePage());

// A URL as typed, trimmed and on one line, each double quote written as %22: a URL
// holds one only so encoded, and a bare one would end the quotes around the URL.
std::string URLValue(std::string_view url);

}  // namespace palvetta
