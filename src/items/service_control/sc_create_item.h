#pragma once
// SC create: a new service with its binary path, type, start, error severity, group,
// tag, dependencies, account, display name and password.

#include <string>

#include "items/service_control/sc_items.h"

namespace palvetta {

PALVETTA_ENUM(TSCCreateType, ctOwn, ctShare, ctInteract, ctKernel, ctFilesys, ctRec);
PALVETTA_ENUM(TSCCreateStart, sBoot, sSystem, sAuto, sDemand, sDisabled, sDelayedAuto);
PALVETTA_ENUM(TSCCreateError, eNormal, sSevere, sCritical, sIgnore);

class TSCCreateItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  std::string BinPath;
  TSCCreateType CType = TSCCreateType::ctOwn;
  TSCCreateStart Start = TSCCreateStart::sDemand;
  TSCCreateError Error = TSCCreateError::eNormal;
  std::string Group;
  TStrings Depend;  // services as listed ("Tcpip (TCP/IP ...)") and groups as "+NAME"
  std::string Obj = "LocalSystem";
  bool Tag = false;
  std::string DisplayName;
  std::string Password;  // stored and written in plain text

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
  // The dependencies' key names joined by "/", groups with their "+".
  std::string Dependencies() const;
};

extern const TEnumTable<TSCCreateType> kSCCreateTypes;
extern const TEnumTable<TSCCreateStart> kSCCreateStarts;
extern const TEnumTable<TSCCreateError> kSCCreateErrors;

}  // namespace palvetta
