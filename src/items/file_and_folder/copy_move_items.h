#pragma once
// COPY, with its list of sources, and MOVE.

#include <string>
#include <vector>

#include "items/file_and_folder/file_and_folder_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// One source of a COPY item; its type switch applies to this source only.
class TSourceFile : public TPersistent {
 public:
  PALVETTA_CLASS
  std::string Path;  // file name or wildcard pattern
  TFileType SourceType = TFileType::stUndef;
};

using TSourceFiles = TCollection<TSourceFile>;

// Every source becomes a COPY command of its own with the same switches and destination.
class TCopyItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TSourceFiles Sources;
  std::string Destination;
  TFileType SourceType = TFileType::stUndef;
  TFileType DestType = TFileType::stUndef;
  bool AllowDestDecrypted = false;
  bool Verify = false;
  bool UseShortNames = false;
  bool PromptOverwrite = false;  // true: /Y, no prompt before overwriting
  bool NetworkedRestartable = false;
  bool CopySymLinks = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// One MOVE command per file line.
class TMoveFilesItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::vector<std::string> Files;
  bool Quiet = false;  // true: /Y, no prompt before overwriting
  std::string Destination;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
