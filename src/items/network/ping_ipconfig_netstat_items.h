#pragma once
// PING a host, IPCONFIG (show or change the TCP/IP settings) and NETSTAT (connections
// and protocol statistics).

#include <cstdint>
#include <string>

#include "model/class_info.h"
#include "model/command_tables.h"
#include "model/custom_project_item.h"
#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TIPConfigMode, ipcmAll, ipcmRelease, ipcmRenew, ipcmFlushDNS, ipcmRegisterDNS,
              ipcmDisplayDNS, ipcmShowClassID, ipcmSetClassID);
PALVETTA_ENUM(TIPVer, ipv4, ipv6);
PALVETTA_ENUM(TNetstatProtocol, npAll, npTCP, npTCPv6, npUDP, npUDPv6, npIP, npIPv6, npICMP,
              npICMPv6);

class TPingItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  std::string Host;

  PALVETTA_ITEM_TEXTS
};

class TIPConfigItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool AllCompartments = false;
  TIPConfigMode Mode = TIPConfigMode::ipcmAll;
  TIPVer IPVer = TIPVer::ipv4;
  std::string Adapter;
  std::string ClassID;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

class TNetStatItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  bool All = false;
  bool Exe = false;
  bool EthernetStats = false;
  bool FQDN = false;
  bool Numerical = false;
  bool OwnerID = false;
  bool ConnectionsByProto = false;
  bool StatsByProto = false;
  TNetstatProtocol StatsProto = TNetstatProtocol::npAll;
  TNetstatProtocol ConnProto = TNetstatProtocol::npAll;
  bool OffloadState = false;
  bool Routing = false;
  bool Redisplay = false;
  int32_t Interval = 10;  // seconds between two displays

  PALVETTA_ITEM_TEXTS
};

// The IPCONFIG dialog's mode buttons, in the order of TIPConfigMode.
extern const std::string_view kIPConfigModeButtons[8];

// The protocols' names on NETSTAT's command line and in the dialog's lists.
extern const TEnumTable<TNetstatProtocol> kNetstatProtocols;

}  // namespace palvetta
