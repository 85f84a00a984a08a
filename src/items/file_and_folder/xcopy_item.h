#pragma once
// XCOPY: files and folder trees.

#include <string>
#include <vector>

#include "items/file_and_folder/file_and_folder_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

// The lettered flags are XCOPY's switches of those letters.
class TXCopyItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Src;
  std::string Dest;
  bool A = false;
  bool M = false;
  bool D = false;
  double D_Date = 0;  // /D: only files changed on or after this date
  std::vector<std::string> Exclude;  // files listing the excluded patterns
  bool P = false;
  bool S = false;
  bool E = false;
  bool V = false;
  bool W = false;
  bool C = false;
  bool I = false;
  bool Q = false;
  bool F = false;
  bool L = false;
  bool G = false;
  bool H = false;
  bool R = false;
  bool T = false;
  bool U = false;
  bool K = false;
  bool N = false;
  bool O = false;
  bool X = false;
  TXCopyOvewritePrompt Y = TXCopyOvewritePrompt::opDefault;
  bool Z = false;
  bool B = false;
  bool J = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

}  // namespace palvetta
