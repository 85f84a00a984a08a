#pragma once
// SC: querying, starting, pausing, stopping, continuing, interrogating and deleting a
// service, on this computer or another one. Creating one is in sc_create_item.h.

#include <cstdint>
#include <string>

#include "base/text.h"
#include "model/class_info.h"
#include "model/command_tables.h"
#include "model/custom_project_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TQueryMode, qmNormal, qmEx);
PALVETTA_ENUM(TSCQueryItemMode, qmAllServices, qmSelectedService, qmAllServicesFiltered);
PALVETTA_ENUM(TSCQueryServiceType, stService, stDriver, stInteract, stAll);
PALVETTA_ENUM(TSCQueryServiceState, ssActive, ssInactive, ssAll);
PALVETTA_ENUM(TSCStopFlag, sfUnplanned, sfCustom, sfPlanned);
PALVETTA_ENUM(TSCStopMajorReason, mrOther, mrHardware, mrOperatingSystem, mrSoftware,
              mrApplication, mrCustom);
PALVETTA_ENUM(TSCStopMinorReason, mirOther, mirMaintenance, mirIstallation, mirUpgrade,
              mirReconfiguration, mirHung, mirUnstable, mirDisk, mirNetworkCard, mirEnvironment,
              mirHardwareDriver, mirOtherDriver, mirServicePack, mirSoftwareUpdate, mirSecurityFix,
              mirSecurity, mirNetworkConnectivity, mirWMI, mirServicePackUninstall,
              mirSoftwareUpdateUninstall, mirSecurityFixUninstall, mirMMC, mirCustom);

// What every SC item names: the computer (blank for this one) and the service, as typed
// or picked from the list of services ("Spooler (Print Spooler)").
class TCustomSCItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Server;
  std::string ServiceName;

 protected:
  // "SC", and the computer when one is named.
  std::string Head() const;
  // The service's key name, quoted where SC needs it.
  std::string ServiceArgument() const;
  // "service NAME" or the placeholder.
  std::string ServicePiece(const std::string& name) const;
  // " server NAME" or " local PC".
  std::string ServerPiece() const;
  // VERB + the service piece + " on " + the server piece.
  std::string OnServerText(const char* verb) const;
};

// The commands that name nothing but the service: pause, continue, interrogate, delete.
class TSCPauseItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TSCContinueItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TSCInterrogateItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TSCDeleteItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  PALVETTA_ITEM_TEXTS
};

class TSCStartItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  TStrings Args;  // one argument per line, written as stored
  PALVETTA_ITEM_TEXTS
};

class TSCQueryItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  TQueryMode QueryMode = TQueryMode::qmNormal;
  TSCQueryItemMode Mode = TSCQueryItemMode::qmAllServices;
  TSCQueryServiceType ServType = TSCQueryServiceType::stService;
  TSCQueryServiceState State = TSCQueryServiceState::ssActive;
  int32_t BufSize = 4096;
  int32_t RI = 0;
  std::string Group;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TSCStopItem : public TCustomSCItem {
 public:
  PALVETTA_CLASS
  bool Reason = false;
  TSCStopFlag Flag = TSCStopFlag::sfUnplanned;
  TSCStopMajorReason MajorReason = TSCStopMajorReason::mrOther;
  int32_t MajorReasonCustomCode = 64;
  TSCStopMinorReason MinorReason = TSCStopMinorReason::mirOther;
  int32_t MinorReasonCustomCode = 256;
  std::string Comment;

  PALVETTA_ITEM_TEXTS
  // The reason code, e.g. "4:2:5".
  std::string ReasonCode() const;
};

// What the dialogs' lists offer for the enumerations, and the words they write.
extern const TEnumTable<TSCQueryServiceType> kSCQueryServiceTypes;
extern const TEnumTable<TSCQueryServiceState> kSCQueryServiceStates;
extern const TEnumTable<TSCStopFlag> kSCStopFlags;
extern const TEnumTable<TSCStopMajorReason> kSCStopMajorReasons;
extern const TEnumTable<TSCStopMinorReason> kSCStopMinorReasons;

}  // namespace palvetta
