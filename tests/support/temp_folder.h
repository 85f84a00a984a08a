#pragma once
// A new folder in the Windows temp folder for one test, removed with everything in it.

#include <filesystem>
#include <string>

namespace palvetta::e2e {

class TTempFolder {
 public:
  TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder();

  const std::filesystem::path& Path() const { return FPath; }
  // The subfolder of the name, made if missing.
  std::filesystem::path Folder(const std::wstring& name) const;

 private:
  std::filesystem::path FPath;
};

}  // namespace palvetta::e2e
