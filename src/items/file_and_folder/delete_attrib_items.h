#pragma once
// DEL and ATTRIB, the items with three-state attribute switches.

#include <string>
#include <vector>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/types.h"

namespace palvetta {

class TDeleteItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::vector<std::string> Files;
  bool Prompt = false;
  bool DelReadOnly = false;
  bool DelFromSubDirs = false;
  bool Quiet = false;
  bool DelAttr = false;  // the attribute states count only while this is set
  TFileAttr ReadOnlyAttr = TFileAttr::frUndef;
  TFileAttr Hidden = TFileAttr::frUndef;
  TFileAttr Indexed = TFileAttr::frUndef;
  TFileAttr System = TFileAttr::frUndef;
  TFileAttr Arch = TFileAttr::frUndef;
  TFileAttr ReparsePoints = TFileAttr::frUndef;

  PALVETTA_ITEM_TEXTS
};

class TAttribItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  TFileAttr ReadOnlyAttr = TFileAttr::frUndef;
  TFileAttr Hidden = TFileAttr::frUndef;
  TFileAttr Indexed = TFileAttr::frUndef;
  TFileAttr System = TFileAttr::frUndef;
  TFileAttr Arch = TFileAttr::frUndef;
  bool Folders = false;
  bool Subfolders = false;
  bool SymLinks = false;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
