#pragma once
// The application object: the one owner of the document model. It holds the current
// project and its file name, the reader/writer and the batch generator working on it,
// the catalogue and the user's snippets; the main window calls it for every document
// operation.

#include <memory>
#include <string>
#include <vector>

#include "model/batch_generator.h"
#include "model/class_info.h"
#include "model/created_files.h"
#include "model/item_registry.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "model/snippets.h"

namespace palvetta {

class TApplicationModel {
 public:
  // Registers the item families, fills the catalogue and starts a new project. The
  // snippets stay empty until ReadSnippets.
  TApplicationModel();
  TApplicationModel(const TApplicationModel&) = delete;
  TApplicationModel& operator=(const TApplicationModel&) = delete;
  ~TApplicationModel();

  TProject& Project() const { return *FProject; }
  TItemClassRegistry& Registry() { return FRegistry; }
  TSnippets& Snippets() { return FSnippets; }
  // The classes project files may name.
  const TClassRegistry& Classes() const { return FClasses; }

  std::string FileName;  // UTF-8; empty for a project never saved or loaded

  // Replaces the project by an empty one without a file name.
  void New();
  // Loads the file into a fresh project that then replaces the current one. A failure
  // raises, and the project and FileName stay as they were.
  bool LoadFromFile(const std::string& fileName);
  // Raises when writing fails; FileName changes only on success.
  bool SaveToFile(const std::string& fileName);

  // Generates in memory; the files stay valid until the next run.
  TCreatedFiles& MakeBatchFile();
  void MakeBatchFile(const std::string& fileName);
  // After a run: which items lost which characters to the batch file's code page, each
  // item named by its position and its line in the project list; empty when none did.
  std::string LostCharactersMessage() const;

  // Reads the snippets from the folder SnippetFolder(appDataFolder). Damaged files are
  // left out and returned, so the caller can name them.
  std::vector<TSnippetLoadError> ReadSnippets(const std::string& appDataFolder);
  // Saves copies of the items, in their order, as a new snippet and lists it. Raises
  // std::invalid_argument for a name that is no file name or is taken, and
  // std::runtime_error when the file cannot be written; a snippet that could not be
  // saved is not listed. Needs ReadSnippets first, which decides the folder.
  TSnippet& AddSnippet(const std::string& name, const TItemList& items);
  // Copies the snippet's items into the project at the index (-1 appends).
  void InsertSnippetToProject(int index, const TSnippet& snippet);

 private:
  void UseProject(std::unique_ptr<TProject> project);

  TClassRegistry FClasses;
  TItemClassRegistry FRegistry{FClasses};
  TSnippets FSnippets{FClasses};
  TProjectReaderWriter FReaderWriter{FClasses};
  TBatchGenerator FMaker;
  std::unique_ptr<TProject> FProject;
};

// The user's snippet folder below the application-data folder:
// <appData>\Palvetta\Snippets\ (with the platform's path delimiter). Raises
// std::invalid_argument for an empty application-data folder, which would otherwise
// put snippets in whatever folder is current.
std::string SnippetFolder(const std::string& appDataFolder);

}  // namespace palvetta
