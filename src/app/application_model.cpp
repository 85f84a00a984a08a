#include "app/application_model.h"

#include <filesystem>
#include <stdexcept>

#include "app/catalogue.h"
#include "app/markup.h"
#include "items/item_families.h"

namespace palvetta {
namespace {

constexpr char kDelimiter = static_cast<char>(std::filesystem::path::preferred_separator);

bool EndsWithDelimiter(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

TItemList AllItems(const TProject& project) {
  TItemList items;
  project.ListItems(TCustomProjectItem::Class, items);
  return items;
}

}  // namespace

TApplicationModel::TApplicationModel() {
  RegisterItemFamilies(FClasses);
  RegisterCatalogue(FRegistry, FClasses);
  New();
}

TApplicationModel::~TApplicationModel() = default;

void TApplicationModel::UseProject(std::unique_ptr<TProject> project) {
  FProject = std::move(project);
  FReaderWriter.Project = FProject.get();
  FMaker.Project = FProject.get();
}

void TApplicationModel::New() {
  UseProject(std::make_unique<TProject>());
  FileName.clear();
}

bool TApplicationModel::LoadFromFile(const std::string& fileName) {
  auto fresh = std::make_unique<TProject>();
  TProjectReaderWriter reader(FClasses);
  reader.Project = fresh.get();
  reader.FileName = fileName;
  reader.LoadFromFile();
  UseProject(std::move(fresh));
  FileName = fileName;
  return true;
}

bool TApplicationModel::SaveToFile(const std::string& fileName) {
  FReaderWriter.FileName = fileName;
  FReaderWriter.SaveToFile();
  FileName = fileName;
  return true;
}

TCreatedFiles& TApplicationModel::MakeBatchFile() {
  FMaker.MakeBatchFile();
  return FMaker.CreatedFiles();
}

void TApplicationModel::MakeBatchFile(const std::string& fileName) {
  FMaker.MakeBatchFile(fileName);
}

std::string TApplicationModel::LostCharactersMessage() const {
  if (FMaker.LostCharacters().empty()) return {};
  return palvetta::LostCharactersMessage(FMaker.LostCharacters(), [this](int position) {
    return IntToStr(position) + ". " + RemoveMarkup(FProject->Items(position - 1).GetHumanReadableText());
  });
}

std::vector<TSnippetLoadError> TApplicationModel::ReadSnippets(const std::string& appDataFolder) {
  return FSnippets.LoadFromDir(SnippetFolder(appDataFolder));
}

TSnippet& TApplicationModel::AddSnippet(const std::string& name, const TItemList& items) {
  if (FSnippets.Path().empty()) {
    throw std::logic_error("The snippets must be read before a snippet is added.");
  }
  if (FSnippets.SnippetByName(name) != nullptr) {
    throw std::invalid_argument("Snippet " + name + " already exists!");
  }
  // Saved before it is listed: a snippet without a file would vanish at the next start.
  TSnippet saved(name);
  saved.AddItems(0, items);
  FSnippets.SaveSnippet(saved);
  TSnippet& listed = FSnippets.AddSnippet(name);
  listed.AddItems(0, AllItems(saved));
  return listed;
}

void TApplicationModel::InsertSnippetToProject(int index, const TSnippet& snippet) {
  FProject->AddItems(index, AllItems(snippet));
}

std::string SnippetFolder(const std::string& appDataFolder) {
  if (appDataFolder.empty()) {
    throw std::invalid_argument("The application data folder is not known.");
  }
  std::string folder = appDataFolder;
  if (!EndsWithDelimiter(folder)) folder += kDelimiter;
  return folder + "Palvetta" + kDelimiter + "Snippets" + kDelimiter;
}

}  // namespace palvetta
