#include "model/snippets.h"

#include <algorithm>
#include <stdexcept>

#include "base/file_io.h"
#include "base/text.h"
#include "model/project_reader_writer.h"

namespace palvetta {
namespace {

std::string WithTrailingDelimiter(std::string path) {
  if (!path.empty() && path.back() != '\\' && path.back() != '/') {
    path += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  return path;
}

}  // namespace

std::vector<TSnippetLoadError> TSnippets::LoadFromDir(const std::string& path) {
  FPath = WithTrailingDelimiter(path);
  FSnippets.clear();
  std::vector<TSnippetLoadError> errors;
  const std::filesystem::path folder = PathFromUtf8(path);
  std::error_code error;
  if (path.empty() || !std::filesystem::is_directory(folder, error)) return errors;

  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& file = entry.path();
    if (SameTextAscii(PathToUtf8(file.extension()), ".xml") && !entry.is_directory(error)) {
      files.push_back(file);
    }
  }
  // A stable order, whatever the file system lists first.
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    auto snippet = std::make_unique<TSnippet>(PathToUtf8(file.stem()));
    try {
      TProjectReaderWriter reader(FClasses);
      reader.Project = snippet.get();
      reader.FileName = PathToUtf8(file);
      reader.LoadFromFile();
      FSnippets.push_back(std::move(snippet));
    } catch (const std::exception& e) {
      errors.push_back({PathToUtf8(file), e.what()});
    }
  }
  return errors;
}

TSnippet& TSnippets::AddSnippet(std::string name) {
  return *FSnippets.emplace_back(std::make_unique<TSnippet>(std::move(name)));
}

void TSnippets::SaveSnippet(TSnippet& snippet) const {
  if (const std::string reason = InvalidFileNameReason(snippet.Name); !reason.empty()) {
    throw std::invalid_argument(reason);
  }
  const std::filesystem::path folder = PathFromUtf8(FPath);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw std::runtime_error("Cannot create folder \"" + FPath + "\". " + error.message());
  }
  TProjectReaderWriter writer(FClasses);
  writer.Project = &snippet;
  writer.FileName = PathToUtf8(folder / PathFromUtf8(snippet.Name + ".xml"));
  writer.SaveToFile();
}

TSnippet* TSnippets::SnippetByName(const std::string& name) const {
  const std::string upper = UpperAscii(name);
  for (const auto& snippet : FSnippets) {
    if (UpperAscii(snippet->Name) == upper) return snippet.get();
  }
  return nullptr;
}

TSnippet& TSnippets::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  return *FSnippets[static_cast<size_t>(index)];
}

}  // namespace palvetta
