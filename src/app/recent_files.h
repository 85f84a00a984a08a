#pragma once
// The File menu's list of recently used projects: at most four, newest first, kept in
// the settings store between sessions.

#include <string>
#include <string_view>
#include <vector>

#include "gui/settings_store.h"

namespace palvetta {

class TRecentFiles {
 public:
  static constexpr int kMaxCount = 4;
  static constexpr std::string_view kSection = "Recent";

  // Puts the path on top; one already listed (ignoring case) moves there, and the
  // oldest beyond kMaxCount drops out. A blank path is ignored.
  void Add(const std::string& fileName);

  int Count() const { return static_cast<int>(FFiles.size()); }
  // The full paths, newest first.
  const std::vector<std::string>& Files() const { return FFiles; }
  // "&1 name.kwj": the position as accelerator and the file name without its folder.
  // Raises std::out_of_range outside 0..Count-1.
  std::string Caption(int index) const;
  // The full path. Raises std::out_of_range outside 0..Count-1.
  const std::string& Hint(int index) const;

  // Adds the values "4" down to "1" of the section, so "1" ends up newest; missing or
  // unreadable values are left out.
  void Read(const TSettingsStore& store);
  // Writes "1" (newest) to "<Count>" and deletes the values beyond. Raises when the
  // store fails.
  void Write(TSettingsStore& store) const;

 private:
  std::vector<std::string> FFiles;
};

// The last part of a path, after its last '\', '/' or the colon of a drive.
std::string FileNameWithoutFolder(std::string_view path);

}  // namespace palvetta
