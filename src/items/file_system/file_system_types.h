#pragma once
// The enumerations of the drive and file-system items, with their command and list texts.

#include "model/command_tables.h"
#include "model/properties.h"

namespace palvetta {

// CHKDSK checks a whole drive, or one file for fragmentation.
PALVETTA_ENUM(TCHKDSKMode, cdmDrive, cdmFile);
PALVETTA_ENUM(TSortOrder, soName, soExt, soDir, soSize, soDateTime);
PALVETTA_ENUM(TTimeField, tfCreation, tfLastAccess, tfLastWritten);
PALVETTA_ENUM(TCompactMode, cmCompress, cmUncompress);
PALVETTA_ENUM(TMKLinkMode, mklmSimple, mklmDirSymLink, mklmHard, mklmDirJunction);
PALVETTA_ENUM(TCHKNTFSMode, cmDisplayStatus, cmRestoreDefaults, cmTimer, cmShowTimer, cmExclude,
              cmSchedule);

inline constexpr TEnumTable<TSortOrder> kSortOrders({{
    {"N", "Name"},
    {"E", "Extension"},
    {"G", "Directories first"},
    {"S", "Size"},
    {"D", "Date/time"},
}});

inline constexpr TEnumTable<TTimeField> kTimeFields({{
    {"C", "Creation"},
    {"A", "Last Access"},
    {"W", "Last Written"},
}});

inline constexpr TEnumTable<TMKLinkMode> kMKLinkModes({{
    {"", "File symbolic link"},
    {" /D", "Directory symbolic link"},
    {" /H", "File hard link"},
    {" /J", "Directory junction"},
}});

}  // namespace palvetta
