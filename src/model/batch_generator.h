#pragma once
// TBatchGenerator turns a project into the text of a batch file: it walks the items in
// order, asks each enabled item for its batch text, replaces parameter references, adds
// output redirection, moves subroutines behind the main part and adds the parameter
// block and the system blocks that items asked for.

#include <memory>
#include <string>
#include <vector>

#include "model/created_files.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TProject;
class TSystemProjectItem;

class TBatchGenerator : private IGenerationHooks {
 public:
  TBatchGenerator();
  ~TBatchGenerator();
  TBatchGenerator(const TBatchGenerator&) = delete;
  TBatchGenerator& operator=(const TBatchGenerator&) = delete;

  TProject* Project = nullptr;  // not owned; set before each run
  // The files of the last run; the first, "Main batch", is the batch file.
  TCreatedFiles& CreatedFiles() { return FCreatedFiles; }

  // Builds the batch text of Project into CreatedFiles.
  void MakeBatchFile();
  // Builds, then writes the batch file under the name and any further created file
  // into the same folder. Each file is replaced only once it is completely written.
  void MakeBatchFile(const std::string& fileName);

 private:
  struct Run;
  void Build();

  void NeedSaveFile(const TStrings& lines, std::string& fileName) override;
  void AppendLines(const TStrings& lines) override;
  void GetParamList(TItemList& list) override;
  void AddSystemItem(const TClass& cls) override;

  TCreatedFiles FCreatedFiles;
  TStrings FAppendLines;
  std::vector<std::unique_ptr<TSystemProjectItem>> FSystemItems;
  Run* FRun = nullptr;  // the state of the build under way
};

// The bytes of a created file: the lines in the system's ANSI code page, each line
// (also one inside an entry) followed by CRLF.
std::string EncodeCreatedFile(const TStrings& lines);

}  // namespace palvetta
