#pragma once
// PRINT a text file, VERIFY on or off, and SORT the lines of a file or of standard input.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TPrintItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  bool ToDefaultDevice = false;
  std::string Device;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TVerifyItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool Enable = true;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TSORTItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;  // blank: standard input
  std::string TemporaryPath;
  std::string OutputPath;
  int32_t N = 1;      // the column each comparison starts at
  std::string L;      // locale
  int32_t M = 160;    // kilobytes of memory
  int32_t Rec = 4096; // record size in characters
  bool R = false;     // reverse order

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
