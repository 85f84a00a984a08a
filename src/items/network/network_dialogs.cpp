// The dialogs of PING, the FTP upload, the download, the list of PCs, IPCONFIG and
// NETSTAT, and their OK checks.

#include "items/network/network_dialogs.h"

#include <limits>

#include "items/network/network_items.h"

namespace palvetta {
namespace {

std::optional<TCheckFailure> CheckFTPCredentials(const TEditorValues& values) {
  for (const char* field : {"edtUsername", "edtPassword"}) {
    if (values.Text(field).find('"') != std::string::npos) {
      return TCheckFailure{"The user name and password cannot contain a double quote (\").", field};
    }
  }
  return std::nullopt;
}

TEditorSpec FTPUpload() {
  return {.Title = "Upload via FTP",
          .Layout = Dialog({Form({LabelBeside("Host", Edit("edtHost", 30)),
                                  LabelBeside("Username", Edit("edtUsername", 24)),
                                  LabelBeside("Password", Edit("edtPassword", 24)),
                                  LabelBeside("Remote directory:", Edit("edtDir", 30))}),
                            FieldWithBrowse("File name:", "edtFilename", "btnBrowse")}),
          .Browse = {{.Button = "btnBrowse", .Field = "edtFilename"}},
          .Checks = {CheckFTPCredentials}};
}

TEditorSpec Download() {
  return {.Title = "Download a file from URL",
          .Layout = Dialog({LabelAbove("URL:", Edit("edtURL", 50)),
                            FieldWithBrowse("Save to path:", "edtSaveToPath", "btnBrowse")}),
          .Browse = {{.Button = "btnBrowse",
                      .Field = "edtSaveToPath",
                      .Kind = TBrowseKind::bkFolder,
                      .Title = "Save the downloaded file in"}}};
}

TEditorSpec ListOfPCs() {
  return {.Title = "Create A List Of PCs in the Network",
          .Layout = Dialog({FieldWithBrowse("File name:", "edtFileName", "btnBrowse"),
                            Check("cbxOverwrite", "Overwrite")}),
          .Browse = {{.Button = "btnBrowse", .Field = "edtFileName", .Kind = TBrowseKind::bkSaveFile}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!IsBlank(values.Text("edtFileName"))) return std::nullopt;
            return TCheckFailure{"Please enter file name to save the list to", "edtFileName"};
          }}};
}

constexpr const char* kIPConfigModeCaptions[] = {
    "Display full configuration information",
    "Release the IP address for the specified adapter",
    "Renew the IP address for the specified adapter",
    "Purge the DNS Resolver cache",
    "Refresh all DHCP leases and re-register DNS names",
    "Display the contents of the DNS Resolver Cache",
    "Display all the dhcp class IDs allowed for adapter",
    "Modify the dhcp class id",
};

bool NeedsClassIDs(const TEditorValues& values) {
  return values.Checked(kIPConfigModeButtons[6]) || values.Checked(kIPConfigModeButtons[7]);
}

// The adapter matters for releasing and renewing too, but there a blank one means all.
TEditorSpec IPConfig() {
  std::vector<TLayoutNode> modes;
  for (size_t i = 0; i < std::size(kIPConfigModeCaptions); ++i) {
    modes.push_back(Radio(std::string(kIPConfigModeButtons[i]), kIPConfigModeCaptions[i]));
  }
  const std::string release(kIPConfigModeButtons[1]);
  const std::string renew(kIPConfigModeButtons[2]);
  const std::string showClassID(kIPConfigModeButtons[6]);
  const std::string setClassID(kIPConfigModeButtons[7]);
  return {.Title = "TCP/IP network configuration",
          .Layout = Dialog({Check("cbxAllCompartments", "For all compartments"),
                            GroupBox("rgMode", "Mode", std::move(modes)),
                            GroupBox("rgIPVer", "IP Version",
                                     {Row({Radio("rbIPv4", "IPv4"), Radio("rbIPv6", "IPv6")})}),
                            Form({LabelBeside("Adapter:", Edit("edtAdapter", 30)),
                                  LabelBeside("ClassID:", Edit("edtClassID", 30))})}),
          .Enabling = {{.CheckBox = release,
                        .Controls = {"rgIPVer", "rbIPv4", "rbIPv6", LabelNameFor("edtAdapter"),
                                     "edtAdapter"},
                        .OrChecked = {renew, showClassID, setClassID}},
                       {.CheckBox = showClassID,
                        .Controls = {LabelNameFor("edtClassID"), "edtClassID"},
                        .OrChecked = {setClassID}}},
          .Checks = {[](TEditorValues& values) -> std::optional<TCheckFailure> {
            if (!NeedsClassIDs(values) || !IsBlank(values.Text("edtAdapter"))) return std::nullopt;
            return TCheckFailure{"Please enter \"Adapter\"!", "edtAdapter"};
          }}};
}

TEditorSpec NetStat() {
  return {.Title = "Display protocol statistics and current TCP/IP network connections",
          .Layout = Dialog({
              Check("cbxAll", "Display all connections and all listening ports"),
              Check("cbxExe", "Display the executable involved in creating each connection and listening port "),
              Check("cbxEthernetStats", "Display Ethernet statistics"),
              Check("cbxFQDN", "Display fully qualified domain names (FQDN) for foreign addresses"),
              Check("cbxNumerical", "Display addresses and port numbers in numerical form"),
              Check("cbxOwnerID", "Display the owning process ID associated with each connection"),
              Row({Check("cbxConnectionsByProto", "Show connections for protocol:"),
                   Combo("cmbProtoConn", {"All", "TCP", "TCPv6", "UDP", "UDPv6"})}),
              Row({Check("cbxStatsByProto", "Display per-protocol statistics"),
                   Combo("cmbProtoStats", kNetstatProtocols.DisplayTexts())}),
              Check("cbxOffloadState", "Display the current connection offload state"),
              Check("cbxRedisplay", "Redisplay selected statistics with N seconds pause between each display"),
              Indented(LabelBeside("N=", Number("sedInterval", 8, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()))),
              Check("cbxRouting", "Display the routing table"),
          })};
}

}  // namespace

std::vector<TItemEditorSpec> NetworkEditorSpecs() {
  return {
      {&TPingItem::Class, {.Title = "Ping", .Layout = Dialog({LabelBeside("Host:", Edit("edtHost", 30))})}},
      {&TFTPUploadItem::Class, FTPUpload()},
      {&TDownloadFileItem::Class, Download()},
      {&TCreateAListOfPCSItem::Class, ListOfPCs()},
      {&TIPConfigItem::Class, IPConfig()},
      {&TNetStatItem::Class, NetStat()},
  };
}

constinit const TItemFamily kNetworkFamily{kNetworkItemClasses, [](const TEnvironmentLookup&) { return NetworkEditorSpecs(); }};

}  // namespace palvetta
