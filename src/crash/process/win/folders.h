#pragma once
// Folders, names and times the reporter's settings and reports refer to.
//
// SpecialFolderPath (and GetReportTempFolder, which may fall back to it) reach shell32
// and ole32, which the program delay-loads so that its start does not pay for them: the
// first call of each of their functions loads the DLL and looks the function up under the
// loader lock. So none of these is ever called first on a faulting thread's capture path
// or while another thread may hold the loader lock (a crash inside the loader leaves it
// held): the reporter's installation calls each one that its crash path needs once
// beforehand.

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
