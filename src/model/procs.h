#pragma once
// Small procedures shared by item families, dialogs and the shell. Quoting of command
// lines lives in quoting.h.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"
#include "model/types.h"

namespace palvetta {

// Appends the root path ("C:\") of every letter A..Z that is not among the logical
// drives, in alphabetical order.
void GetFreeDriveLetters(const TStrings& logicalDrives, TStrings& list);

TStrings StringListOf(std::string_view text);
std::string FileSystemName(TFileSystem value);
std::string UDFRevisionName(TUDFRevision value);
std::string OutputFormatName(TOutputFormat value);
bool IsDriveLetter(char c);  // "A".."Z", upper case only

// Each occurrence of the separator (case-sensitive) ends a line; the line at the index,
// or an empty text when there are fewer lines.
std::string GetLineOfText(std::string_view text, int index, std::string_view separator);
// The lines, each followed by the separator.
std::string JoinLines(const TStrings& lines, std::string_view separator);

}  // namespace palvetta
