#pragma once
// The system blocks: fixed groups of lines that the generator writes at most once near
// the top of a batch file when an item asks for them. Each sets a KWJ_ variable.

#include "model/custom_project_item.h"

namespace palvetta {

// KWJ_DATEORDER: "M", "d" or "y", the first letter of the user's short date pattern
// ("M" when it cannot be read); KWJ_DATEFMT: the pattern itself.
class TSysDateOrder : public TSystemProjectItem {
 public:
  PALVETTA_CLASS
  TSysDateOrder() : TSystemProjectItem(TSystemProjectItemPos::sppHead) {}
  std::string GetBatchText() const override;
};

// KWJ_7Z: the full path of 7z.exe, or "7z.exe" when it was not found.
class TSys7Zip : public TSystemProjectItem {
 public:
  PALVETTA_CLASS
  TSys7Zip() : TSystemProjectItem(TSystemProjectItemPos::sppHead) {}
  std::string GetBatchText() const override;
};

}  // namespace palvetta
