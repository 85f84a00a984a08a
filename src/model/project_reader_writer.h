#pragma once
// Saves a project as a project file and loads one back. Snippet files use the same format.

#include <string>
#include <string_view>

#include "model/class_info.h"

namespace palvetta {

class TProject;

class TProjectReaderWriter {
 public:
  // The classes a file may name; not owned.
  explicit TProjectReaderWriter(const TClassRegistry& classes) : FClasses(classes) {}

  TProject* Project = nullptr;  // not owned
  std::string FileName;         // UTF-8

  // Writes the whole file beside the old one first, so a failed save leaves it intact.
  void SaveToFile() const;
  // Loads into Project, which the caller has made fresh; the first failure raises a
  // std::runtime_error with a readable message, and the caller keeps its old project.
  void LoadFromFile() const;

  // The same, without a file.
  std::string SaveToBytes() const;
  void LoadFromBytes(std::string_view bytes) const;

 private:
  const TClassRegistry& FClasses;
};

}  // namespace palvetta
