#include "items/network/ping_ipconfig_netstat_items.h"

#include "items/radio_groups.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

const std::string_view kIPConfigModeButtons[8] = {
    "rbModeAll",         "rbModeRelease",    "rbModeRenew",       "rbModeFlushDNS",
    "rbModeRegisterDNS", "rbModeDisplayDNS", "rbModeShowClassID", "rbModeSetClassID"};

const TEnumTable<TNetstatProtocol> kNetstatProtocols({{
    {"", "All"},
    {"TCP", "TCP"},
    {"TCPv6", "TCPv6"},
    {"UDP", "UDP"},
    {"UDPv6", "UDPv6"},
    {"IP", "IP"},
    {"IPv6", "IPv6"},
    {"ICMP", "ICMP"},
    {"ICMPv6", "ICMPv6"},
}});

namespace {

using namespace fields;

constexpr std::string_view kIPVerButtons[] = {"rbIPv4", "rbIPv6"};

constexpr TField kPingFields[] = {Text<&TPingItem::Host>("Host", "edtHost")};

constexpr TField kIPConfigFields[] = {
    Flag<&TIPConfigItem::AllCompartments>("AllCompartments", "cbxAllCompartments"),
    Enum<&TIPConfigItem::Mode>("Mode"),
    Enum<&TIPConfigItem::IPVer>("IPVer"),
    Text<&TIPConfigItem::Adapter>("Adapter", "edtAdapter"),
    Text<&TIPConfigItem::ClassID>("ClassID", "edtClassID"),
    Control(TFieldKind::fkRadio, "rbModeAll"),
    Control(TFieldKind::fkRadio, "rbModeRelease"),
    Control(TFieldKind::fkRadio, "rbModeRenew"),
    Control(TFieldKind::fkRadio, "rbModeFlushDNS"),
    Control(TFieldKind::fkRadio, "rbModeRegisterDNS"),
    Control(TFieldKind::fkRadio, "rbModeDisplayDNS"),
    Control(TFieldKind::fkRadio, "rbModeShowClassID"),
    Control(TFieldKind::fkRadio, "rbModeSetClassID"),
    Control(TFieldKind::fkRadio, kIPVerButtons[0]),
    Control(TFieldKind::fkRadio, kIPVerButtons[1]),
};

using TNS = TNetStatItem;
constexpr TField kNetStatFields[] = {
    Flag<&TNS::All>("All", "cbxAll"),
    Flag<&TNS::Exe>("Exe", "cbxExe"),
    Flag<&TNS::EthernetStats>("EthernetStats", "cbxEthernetStats"),
    Flag<&TNS::FQDN>("FQDN", "cbxFQDN"),
    Flag<&TNS::Numerical>("Numerical", "cbxNumerical"),
    Flag<&TNS::OwnerID>("OwnerID", "cbxOwnerID"),
    Flag<&TNS::ConnectionsByProto>("ConnectionsByProto", "cbxConnectionsByProto"),
    Flag<&TNS::StatsByProto>("StatsByProto", "cbxStatsByProto"),
    Enum<&TNS::StatsProto>("StatsProto", "cmbProtoStats"),
    Enum<&TNS::ConnProto>("ConnProto", "cmbProtoConn"),
    Flag<&TNS::OffloadState>("OffloadState", "cbxOffloadState"),
    Flag<&TNS::Routing>("Routing", "cbxRouting"),
    Flag<&TNS::Redisplay>("Redisplay", "cbxRedisplay"),
    Integer<&TNS::Interval>("Interval", "sedInterval"),
};

constexpr TSwitch<TNS> kNetStatDisplaySwitches[] = {
    {&TNS::All, " /a"},     {&TNS::Exe, " /b"},       {&TNS::EthernetStats, " /e"},
    {&TNS::FQDN, " /f"},    {&TNS::Numerical, " /n"}, {&TNS::OwnerID, " /o"},
};
constexpr TSwitch<TNS> kNetStatTableSwitches[] = {
    {&TNS::Routing, " /r"}, {&TNS::StatsByProto, " /s"}, {&TNS::OffloadState, " /t"}};

// What each mode writes, for IPv4 and IPv6, and whether the adapter (and the class ID)
// follow; the readable text with " IPv4"/" IPv6" or " dhcp"/" IPv6 DHCP" between its two
// halves, or whole when the mode has no adapter.
struct TIPConfigModeText {
  std::string_view Switch4;
  std::string_view Switch6;
  bool Adapter;
  bool ClassID;
  std::string_view Before;
  std::string_view Version4;
  std::string_view Version6;
  std::string_view After;
};

constexpr TIPConfigModeText kIPConfigModes[] = {
    {" /all", " /all", false, false, "Display full IP configuration information", "", "", ""},
    {" /release ", " /release6 ", true, false, "Release the", " IPv4", " IPv6", " address for"},
    {" /renew ", " /renew6 ", true, false, "Renew the", " IPv4", " IPv6", " address for"},
    {" /flushdns", " /flushdns", false, false, "Purge the DNS Resolver cache", "", "", ""},
    {" /registerdns", " /registerdns", false, false,
     "Refresh all DHCP leases and re-register DNS names", "", "", ""},
    {" /displaydns", " /displaydns", false, false, "Display the contents of the DNS Resolver Cache",
     "", "", ""},
    {" /showclassid ", " /showclassid6 ", true, false, "Display all the", " dhcp", " IPv6 DHCP",
     " class IDs allowed for"},
    {" /setclassid ", " /setclassid6 ", true, true, "Modify the", " dhcp", " IPv6 DHCP",
     " class ID for"},
};

// A mode outside the enumeration (a damaged file) reads as the first.
const TIPConfigModeText& ModeText(TIPConfigMode mode) {
  const auto index = static_cast<size_t>(mode);
  return kIPConfigModes[index < std::size(kIPConfigModes) ? index : 0];
}

}  // namespace

PALVETTA_DEFINE_CLASS(TPingItem, TCustomProjectItem, kPingFields);
PALVETTA_DEFINE_CLASS(TIPConfigItem, TCustomProjectItem, kIPConfigFields);
PALVETTA_DEFINE_CLASS(TNetStatItem, TCustomProjectItem, kNetStatFields);

// PING

std::string TPingItem::GetHumanReadableText() const {
  return "Ping " + (IsBlank(Host) ? std::string("<u>unknown</u> host") : Host);
}

std::string TPingItem::GetBatchText() const { return "PING " + QuoteIfSpaced(Host); }

// IPCONFIG

std::string TIPConfigItem::GetHumanReadableText() const {
  const TIPConfigModeText& mode = ModeText(Mode);
  if (!mode.Adapter) return std::string(mode.Before);
  const bool v6 = IPVer == TIPVer::ipv6;
  return std::string(mode.Before) + std::string(v6 ? mode.Version6 : mode.Version4) +
         std::string(mode.After) +
         (IsBlank(Adapter) ? std::string(" <u>unknown</u> adapter") : " adapter \"" + Adapter + "\"");
}

std::string TIPConfigItem::GetBatchText() const {
  const TIPConfigModeText& mode = ModeText(Mode);
  std::string text = "ipconfig";
  if (AllCompartments) text += " /allcompartments";
  text += IPVer == TIPVer::ipv6 ? mode.Switch6 : mode.Switch4;
  if (mode.Adapter) text += QuoteIfSpaced(Adapter);
  if (mode.ClassID) text += " " + QuoteIfSpaced(ClassID);
  return text;
}

void TIPConfigItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kIPConfigModeButtons, Mode);
  RadiosToEditor(values, kIPVerButtons, IPVer);
}

void TIPConfigItem::SpecialFromEditor(const TEditorValues& values) {
  Mode = RadiosFromEditor(values, kIPConfigModeButtons, Mode);
  IPVer = RadiosFromEditor(values, kIPVerButtons, IPVer);
}

// NETSTAT

std::string TNetStatItem::GetHumanReadableText() const {
  return "Display protocol statistics and current TCP/IP network connections";
}

// The statistics' protocol wins over the connections' one: NETSTAT takes one -p. "All"
// (and a value a damaged file holds) writes none.
std::string TNetStatItem::GetBatchText() const {
  std::string text = "netstat" + SwitchesOf(*this, kNetStatDisplaySwitches);
  std::string_view protocol;
  if (StatsByProto) {
    protocol = kNetstatProtocols.Command(StatsProto);
  } else if (ConnectionsByProto) {
    protocol = kNetstatProtocols.Command(ConnProto);
  }
  if (!protocol.empty()) text += " -p " + std::string(protocol);
  text += SwitchesOf(*this, kNetStatTableSwitches);
  if (Redisplay) text += " " + IntToStr(Interval);
  return text;
}

}  // namespace palvetta
