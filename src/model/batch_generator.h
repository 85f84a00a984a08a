#pragma once
// TBatchGenerator turns a project into the text of a batch file: it walks the items in
// order, asks each enabled item for its batch text, replaces parameter references, adds
// output redirection, moves subroutines behind the main part and adds the parameter
// block and the system blocks that items asked for.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/created_files.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TProject;
class TSystemProjectItem;

// An item whose batch text lost characters: ones the batch file's code page cannot hold
// (the file has a "?" in their place), and ones a path or name cannot hold (left out).
struct TLostCharacters {
  int Position;               // 1-based, among the project's items
  std::u32string Characters;  // written as "?"; each once, in the order they first appear
  std::u32string LeftOut;     // left out; each once, in the order first left out
};

class TBatchGenerator : private IGenerationHooks {
 public:
  TBatchGenerator();
  ~TBatchGenerator();
  TBatchGenerator(const TBatchGenerator&) = delete;
  TBatchGenerator& operator=(const TBatchGenerator&) = delete;

  TProject* Project = nullptr;  // not owned; set before each run
  // The files of the last run; the first, "Main batch", is the batch file.
  TCreatedFiles& CreatedFiles() { return FCreatedFiles; }

  // The items of the last run that lost characters, in project order.
  const std::vector<TLostCharacters>& LostCharacters() const { return FLost; }

  // Builds the batch text of Project into CreatedFiles.
  void MakeBatchFile();
  // Builds, then writes the batch file under the name and any further created file
  // into the same folder. Each file is replaced only once it is completely written.
  void MakeBatchFile(const std::string& fileName);

 private:
  struct Run;
  void Build();
  void CollectParameters(Run& run);
  TStrings ItemLines(Run& run);
  void AddItemText(Run& run, TCustomProjectItem& item, bool inSubroutine, TStrings& lines);
  TStrings ParameterLines(Run& run);
  TStrings SystemBlocks(TSystemProjectItemPos place) const;
  // Notes the characters of the text that the batch file cannot hold, for the item.
  void NoteLostCharacters(const TCustomProjectItem& item, std::string_view text);
  // Notes characters that the quoting rules left out of the item's text.
  void NoteLeftOutCharacters(const TCustomProjectItem& item, std::string_view characters);
  TLostCharacters& LostEntry(const TCustomProjectItem& item);

  void NeedSaveFile(const TStrings& lines, std::string& fileName) override;
  void AppendLines(const TStrings& lines) override;
  void GetParamList(TItemList& list) override;
  void AddSystemItem(const TClass& cls) override;

  TCreatedFiles FCreatedFiles;
  TStrings FAppendLines;
  std::vector<std::unique_ptr<TSystemProjectItem>> FSystemItems;
  Run* FRun = nullptr;  // the state of the build under way
  std::vector<TLostCharacters> FLost;
};

// The message that tells the user which items lost which characters, each item named
// by the description of its position: those written as "?", then those left out.
std::string LostCharactersMessage(const std::vector<TLostCharacters>& lost,
                                  const std::function<std::string(int position)>& describe);

// The bytes of a created file: the lines in the batch file's code page, each line (also
// one inside an entry) followed by CRLF.
std::string EncodeCreatedFile(const TStrings& lines);

}  // namespace palvetta
