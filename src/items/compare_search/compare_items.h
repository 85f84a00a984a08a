#pragma once
// FC and COMP: comparing two files or sets of files.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TFCItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName1;
  std::string FileName2;
  bool OnlyFirstAndLastDiff = false;
  bool BinaryComp = false;
  bool DisregardCase = false;
  bool ASCII = false;
  int32_t MaxConsMismatches = 0;
  bool LineNumbers = false;
  bool DoNotSkipOffline = false;
  bool DoNotExpandTabs = false;
  bool Unicode = false;
  bool CompressWhitespace = false;
  int32_t NumberOfLinesAfterMismatch = 0;

  PALVETTA_ITEM_TEXTS
};

class TCompItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path1;
  std::string Path2;
  bool Decimal = false;
  bool ASCII = false;
  bool LineNum = false;
  int32_t FirstNLines = 0;
  bool IgnoreCase = false;
  bool DoNotSkipOffline = false;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
