#pragma once
// FIND and FINDSTR: searching text in files.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TFindStrItem_SearchFor, sfString, sfStringsFromFile);
PALVETTA_ENUM(TFindStrItem_SearchIn, siPath, siFileList, siDirList);

class TFindItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string SearchFor;
  std::string Path;
  bool NotContaining = false;
  bool OnlyCount = false;
  bool LineNumbers = false;
  bool IgnoreCase = false;
  bool DoNotSkipOffline = false;

  PALVETTA_ITEM_TEXTS
};

class TFindStrItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string SearchFor;
  std::string Path;
  TFindStrItem_SearchFor FindStrItem_SearchFor = TFindStrItem_SearchFor::sfString;
  TFindStrItem_SearchIn FindStrItem_SearchIn = TFindStrItem_SearchIn::siPath;
  bool BegLine = false;
  bool EndLine = false;
  bool Literal = false;
  bool Regular = false;
  bool Subdir = false;
  bool IgnoreCase = false;
  bool ExactMatch = false;
  bool NotMatch = false;
  bool LineNumbers = false;
  bool OnlyFileName = false;
  bool Offset = false;
  bool SkipNonPrint = false;
  bool DoNotSkipOffline = false;
  uint8_t Color = 0;  // console colour 0..15 of the /A: switch
  bool SetColor = false;
  std::string FileListFile;
  bool SearchAsLiteral = false;  // saved only: no control shows it
  std::string SearchStringsFile;
  std::string ListOfDirs;  // folders separated by ";"

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE

 private:
  std::string SearchText() const;
  std::string Places() const;
};

}  // namespace palvetta
