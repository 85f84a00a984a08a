#include "model/procs.h"

#include <algorithm>

namespace palvetta {

void GetFreeDriveLetters(const TStrings& logicalDrives, TStrings& list) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    const bool used = std::any_of(logicalDrives.begin(), logicalDrives.end(),
                                  [&](const std::string& drive) { return SameTextAscii(drive, root); });
    if (!used) list.push_back(root);
  }
}

TStrings StringListOf(std::string_view text) { return TStrings{std::string(text)}; }

std::string FileSystemName(TFileSystem value) {
  static constexpr const char* kNames[] = {"FAT", "FAT32", "exFAT", "NTFS", "UDF"};
  return kNames[static_cast<int>(value)];
}

std::string UDFRevisionName(TUDFRevision value) {
  static constexpr const char* kNames[] = {"2.01", "1.02", "1.50", "2.00", "2.50"};
  return kNames[static_cast<int>(value)];
}

std::string OutputFormatName(TOutputFormat value) {
  static constexpr const char* kNames[] = {"TABLE", "LIST", "CSV"};
  return kNames[static_cast<int>(value)];
}

bool IsDriveLetter(char c) { return c >= 'A' && c <= 'Z'; }

std::string GetLineOfText(std::string_view text, int index, std::string_view separator) {
  const TStrings lines = SplitLines(ReplaceAll(text, separator, "\r"));
  return index >= 0 && static_cast<size_t>(index) < lines.size() ? lines[static_cast<size_t>(index)]
                                                                  : std::string();
}

std::string JoinLines(const TStrings& lines, std::string_view separator) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += separator;
  }
  return out;
}

}  // namespace palvetta
