#pragma once
// The items that list a folder: DIR and TREE.

#include <string>

#include "items/file_system/file_system_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/types.h"

namespace palvetta {

class TDirItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  bool Attr = false;  // the attribute states count only while this is set
  TFileAttr DirAttr = TFileAttr::frUndef;
  TFileAttr ReadOnlyAttr = TFileAttr::frUndef;
  TFileAttr Hidden = TFileAttr::frUndef;
  TFileAttr Indexed = TFileAttr::frUndef;
  TFileAttr System = TFileAttr::frUndef;
  TFileAttr Arch = TFileAttr::frUndef;
  TFileAttr ReparsePoints = TFileAttr::frUndef;
  bool BareFormat = false;
  bool DisplayThousandsSeparator = false;
  bool HideThousandsSeparator = false;  // only while the separator is not displayed
  bool WideAndColumn = false;
  bool Lowercase = false;
  bool LongList = false;
  bool Sorted = false;
  bool SortedReversed = false;
  TSortOrder SortOrder = TSortOrder::soName;
  bool PauseByScreen = false;
  bool DisplayOwner = false;
  bool AlternateDataStreams = false;
  bool Subdirs = false;
  TTimeField TimeField = TTimeField::tfCreation;  // only when sorted by date
  bool Wide = false;
  bool ShortNames = false;
  bool FourDigitYears = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TTreeItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;
  bool DisplayFileNames = false;
  bool ASCII = false;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
