#pragma once
// Creating and extracting ZIP archives with 7-Zip. The items name 7z.exe only through
// KWJ_7Z, which the 7-Zip system block sets near the top of the batch file.

#include <string>

#include "model/class_info.h"
#include "model/custom_project_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TCompressionLevel, clFastest, clFast, clNormal, clMaximum, clUltra);

class TSevenZipCreateItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string SrcPath;  // files, a folder or a wildcard
  std::string ArchFileName;
  TCompressionLevel CompressionLevel = TCompressionLevel::clFastest;

  // The -mx digit of the level: 1, 3, 5, 7 or 9; 0 for a value outside the enumeration.
  int GetCompressionInt() const;

  PALVETTA_ITEM_TEXTS
};

class TSevenZipExtractItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string ArchFileName;
  std::string ExtractTo;  // target folder; blank: the current one
  bool Subfolders = false;      // keep the archive's folders
  bool OverwriteFiles = false;  // otherwise existing files are skipped

  PALVETTA_ITEM_TEXTS
};

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kSevenZipItemClasses[] = {&TSevenZipCreateItem::Class,
                                                         &TSevenZipExtractItem::Class};

}  // namespace palvetta
