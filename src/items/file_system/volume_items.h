#pragma once
// The items that format a volume or read and set its label: FORMAT, VOL, LABEL.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/types.h"

namespace palvetta {

class TFormatItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  char16_t Volume = u'C';
  TFileSystem FileSystem = TFileSystem::fsNTFS;
  std::string VolLabel;
  bool QuickFormat = false;
  bool CompressedByDefault = false;  // NTFS only
  bool Dismount = false;
  TUDFRevision UDFRevision = TUDFRevision::udfr2_01;  // UDF only
  bool MetadataDup = false;                            // UDF 2.50 only
  std::string AllocUnitSize;                           // blank: the file system's default
  std::string FloppySize;
  int32_t Tracks = 0;
  int32_t SectorsPerTrack = 0;
  int32_t Passes = 0;
  std::string ShortNames;  // "enabled", "disabled" or anything else for the default

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TVOLItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  char16_t Volume = u'C';

  PALVETTA_ITEM_TEXTS
};

class TLabelItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  char16_t Drive = u'C';
  bool MP = false;  // Volume names a mount point or volume instead of the drive
  std::string Volume;
  std::string DriveLabel;

  PALVETTA_ITEM_TEXTS
};

}  // namespace palvetta
