#pragma once
// Folders, names and times the reporter's settings and reports refer to.

#include <windows.h>

#include <cstdint>
#include <string>

namespace palvetta {

// A path from the settings, relative to the executable (path_names.h).
std::u16string ExpandToExeFolder(std::u16string_view path);

// The system's temp folder (else the user's application-data folder) plus the
// executable's name without extension and ".Stackward", with a trailing backslash; made
// when missing. Empty when no base folder is found.
std::u16string GetReportTempFolder();
// Deletes the files of that folder and the folder.
void DeleteReportTempFolder();

// The shell folder of the CSIDL, else the executable's folder, with or without a
// trailing backslash.
std::u16string SpecialFolderPath(int csidl, bool trailingBackslash);

std::u16string GetComputerNameStr();

// Seconds since 1601-01-01 UTC.
int64_t SecondsNow();

// Whether the system's ANSI code page cannot hold the text.
bool NeedsUnicode(std::u16string_view text);

// Puts the text on the clipboard as Unicode text.
void PutTextOnClipboard(std::u16string_view text);

}  // namespace palvetta
