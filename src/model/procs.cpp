#include "model/procs.h"

#include <algorithm>
#include <cstdio>

namespace palvetta {

std::string FormatByteSize(int64_t size, char decimalSeparator) {
  static constexpr const char* kUnits[] = {"Bytes", "KB", "MB", "GB", "TB",
                                           "PB",    "EB", "ZB", "YB"};
  int unit = 0;
  long double power = 1024;
  while (unit < 8 && static_cast<long double>(size) > power) {
    ++unit;
    power *= 1024;
  }
  const long double value = static_cast<long double>(size) / (power / 1024);
  // "###0.##": no grouping, up to two decimals, no trailing zeros.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2Lf", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text + " " + kUnits[unit];
}

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
