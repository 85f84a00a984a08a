#include "editors/folder_list.h"

namespace palvetta {

TStrings FolderListLines(std::string_view list) {
  TStrings lines;
  size_t start = 0;
  for (;;) {
    const size_t semicolon = list.find(';', start);
    lines.emplace_back(list.substr(start, semicolon - start));
    if (semicolon == std::string_view::npos) return lines;
    start = semicolon + 1;
  }
}

std::string FolderListOf(const TStrings& lines) {
  TStrings folders;
  for (const std::string& line : lines) {
    if (!IsBlank(line)) folders.push_back(Trim(line));
  }
  return JoinWith(folders, ";");
}

}  // namespace palvetta
