#include "app/recent_files.h"

#include <algorithm>
#include <stdexcept>

#include "base/text.h"

namespace palvetta {

void TRecentFiles::Add(const std::string& fileName) {
  if (IsBlank(fileName)) return;
  std::erase_if(FFiles, [&](const std::string& listed) {
    return SameTextIgnoreCase(listed, fileName);
  });
  FFiles.insert(FFiles.begin(), fileName);
  if (Count() > kMaxCount) FFiles.resize(kMaxCount);
}

const std::string& TRecentFiles::Hint(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return FFiles[static_cast<size_t>(index)];
}

std::string TRecentFiles::Caption(int index) const {
  // A '&' of the file name must show as itself, not mark an accelerator.
  const std::string name = ReplaceAll(FileNameWithoutFolder(Hint(index)), "&", "&&");
  return "&" + std::to_string(index + 1) + " " + name;
}

void TRecentFiles::Read(const TSettingsStore& store) {
  for (int position = kMaxCount; position >= 1; --position) {
    Add(store.ReadString(kSection, std::to_string(position), ""));
  }
}

void TRecentFiles::Write(TSettingsStore& store) const {
  for (int position = 1; position <= kMaxCount; ++position) {
    const std::string key = std::to_string(position);
    if (position <= Count()) {
      store.WriteString(kSection, key, FFiles[static_cast<size_t>(position - 1)]);
    } else {
      store.DeleteValue(kSection, key);
    }
  }
}

std::string FileNameWithoutFolder(std::string_view path) {
  const size_t delimiter = path.find_last_of("\\/:");
  return std::string(delimiter == std::string_view::npos ? path : path.substr(delimiter + 1));
}

}  // namespace palvetta
