#pragma once
// ICACLS: resetting, verifying, saving and restoring ACLs, granting, denying and removing
// rights, and setting the integrity level of files and folders.

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/command_tables.h"
#include "model/custom_project_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TSimpleAccessRight, sarN, sarF, sarM, sarRX, sarR, sarW, sarD);
PALVETTA_ENUM(TSpecificRight, srDE, srRC, srWDAC, srWO, srS, srAS, srMA, srGR, srGW, srGE, srGA,
              srRD, srWD, srAD, srREA, srWEA, srX, srDC, srRA, srWA);
PALVETTA_ENUM(TICACLSRemoveMode, rmAll, rmGrants, rmDenies);
PALVETTA_ENUM(TICACLSIntegrityLevel, ilLow, ilMedium, ilHigh);
PALVETTA_ENUM(TICACLSIntegrityInheritance, iiDefault, iiOI, iiCI, iiIO, iiNP, iiI);

// Sets of rights hold bit i for ordinal i.
template <class E>
constexpr uint32_t RightBit(E value) {
  return uint32_t{1} << static_cast<unsigned>(value);
}

// What every ICACLS item has: the file, folder or wildcard, the user or SID, and the
// switches /T, /C, /L and /Q. ACLFile is kept in files and used by no item.
class TICACLSCustomItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string FileName;
  std::string SID;
  std::string ACLFile;
  bool T = false;
  bool C = false;
  bool L = false;
  bool Q = false;

 protected:
  // " /T" (unless left out), " /C", " /L", " /Q" for the switches set.
  std::string SwitchesText(bool noT) const;
  // "ICACLS " and the file.
  std::string Head() const;
};

class TICACLSResetItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TICACLSVerifyItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TICACLSSaveItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  std::string ACLFileName;
  PALVETTA_ITEM_TEXTS
};

class TICACLSRestoreItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  std::string ACLFileName;
  bool ReplaceSID = false;
  std::string SIDOld;
  std::string SIDNew;
  PALVETTA_ITEM_TEXTS
};

class TICACLSGrantItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  uint32_t SimpleAccessRights = 0;  // of TSimpleAccessRight
  uint32_t SpecificRights = 0;      // of TSpecificRight
  bool R = false;                   // replace the user's rights instead of adding to them
  PALVETTA_ITEM_TEXTS

 protected:
  // "USER:" and the rights in parentheses, caret-escaped for cmd.exe.
  std::string UserAndRights() const;
};

// Deny: the grant item's values, written as /deny (replacing is not offered).
class TICACLSDenyItem : public TICACLSGrantItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TICACLSRemoveItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  TICACLSRemoveMode ICACLSRemoveMode = TICACLSRemoveMode::rmAll;
  PALVETTA_ITEM_TEXTS
};

class TICACLSSetIntegrityLevelItem : public TICACLSCustomItem {
 public:
  PALVETTA_CLASS
  TICACLSIntegrityLevel ICACLSIntegrityLevel = TICACLSIntegrityLevel::ilLow;
  TICACLSIntegrityInheritance ICACLSIntegrityInheritance = TICACLSIntegrityInheritance::iiDefault;
  PALVETTA_ITEM_TEXTS
};

// The letters of the rights in the set, in ordinal order, separated by ",".
std::string SimpleRightsText(uint32_t rights);
std::string SpecificRightsText(uint32_t rights);

// The words the items write and the dialogs' lists show.
extern const TEnumTable<TSimpleAccessRight> kSimpleAccessRights;
extern const TEnumTable<TSpecificRight> kSpecificRights;
extern const TEnumTable<TICACLSRemoveMode> kICACLSRemoveModes;
extern const TEnumTable<TICACLSIntegrityLevel> kICACLSIntegrityLevels;
extern const TEnumTable<TICACLSIntegrityInheritance> kICACLSIntegrityInheritances;

// The family's classes, as the catalogue and project files know them.
inline constexpr const TClass* kAccessControlItemClasses[] = {
    &TICACLSGrantItem::Class, &TICACLSDenyItem::Class,    &TICACLSRemoveItem::Class,
    &TICACLSResetItem::Class, &TICACLSVerifyItem::Class,  &TICACLSSaveItem::Class,
    &TICACLSRestoreItem::Class, &TICACLSSetIntegrityLevelItem::Class};

}  // namespace palvetta
