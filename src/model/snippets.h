#pragma once
// Snippets: named, reusable groups of items, one project file per snippet in a folder
// of the user's.

#include <memory>
#include <string>
#include <vector>

#include "model/class_info.h"
#include "model/project.h"

namespace palvetta {

class TSnippet : public TProject {
 public:
  explicit TSnippet(std::string name) : Name(std::move(name)) {}
  std::string Name;
};

// A snippet file that could not be read, and why.
struct TSnippetLoadError {
  std::string FileName;  // UTF-8, the full path
  std::string Message;
};

class TSnippets {
 public:
  explicit TSnippets(const TClassRegistry& classes) : FClasses(classes) {}

  // Forgets all snippets and reads every "*.xml" file of the folder (none when it does
  // not exist). A file that cannot be read is left out and reported; the others load.
  std::vector<TSnippetLoadError> LoadFromDir(const std::string& path);
  TSnippet& AddSnippet(std::string name);
  // Writes the snippet as <folder>\<name>.xml, creating the folder. Raises
  // std::invalid_argument when the name is not a valid file name, std::runtime_error
  // when the file cannot be written.
  void SaveSnippet(TSnippet& snippet) const;
  // Compared after upper-casing ASCII letters; nullptr when there is none.
  TSnippet* SnippetByName(const std::string& name) const;

  int Count() const { return static_cast<int>(FSnippets.size()); }
  // Raises std::out_of_range outside 0..Count-1.
  TSnippet& Items(int index) const;
  // The folder, always with a trailing path delimiter (empty before LoadFromDir).
  const std::string& Path() const { return FPath; }

 private:
  const TClassRegistry& FClasses;
  std::string FPath;
  std::vector<std::unique_ptr<TSnippet>> FSnippets;
};

}  // namespace palvetta
