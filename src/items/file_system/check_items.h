#pragma once
// The items that check, repair or convert a volume: CHKDSK, CHKNTFS, CONVERT, RECOVER.

#include <cstdint>
#include <string>

#include "items/file_system/file_system_types.h"
#include "model/class_info.h"
#include "model/custom_project_item.h"

namespace palvetta {

class TCHKDSKItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TCHKDSKMode CHKDSKMode = TCHKDSKMode::cdmDrive;
  char16_t Drive = u'C';
  std::string FileName;
  bool FixErrors = false;
  bool ShowFileNames = false;
  bool LocateBadSectors = false;
  bool ChangLogFileSize = false;  // sic: the name files store it by
  int32_t LogFileSize = 0;        // kilobytes; written only when above 0
  bool ForceDismount = false;
  bool LessIndexCheck = false;
  bool SkipCycles = false;
  bool ReEvaluateBadClusters = false;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TCHKNTFSItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Volume = "C";
  int32_t Timer = 0;  // seconds
  TCHKNTFSMode CHKNTFSMode = TCHKNTFSMode::cmDisplayStatus;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TConvertItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Volume = "C";
  bool Verbose = false;
  std::string CVTArea;
  bool NoSecurity = false;
  bool Dismount = false;

  PALVETTA_ITEM_TEXTS
};

class TRecoverItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Path;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
