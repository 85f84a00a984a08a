#include "items/service_control/sc_items.h"

#include "items/radio_groups.h"
#include "items/service_control/sc_fields.h"
#include "items/service_control/sc_quoting.h"
#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

const TEnumTable<TSCQueryServiceType> kSCQueryServiceTypes({{
    {"", "Service"},
    {"driver", "Driver"},
    {"interact", "Interact"},
    {"all", "All"},
}});
const TEnumTable<TSCQueryServiceState> kSCQueryServiceStates({{
    {"", "Active"},
    {"inactive", "Inactive"},
    {"all", "All"},
}});
const TEnumTable<TSCStopFlag> kSCStopFlags({{
    {"1:", "Unplanned"},
    {"2:", "Custom"},
    {"4:", "Planned"},
}});
const TEnumTable<TSCStopMajorReason> kSCStopMajorReasons({{
    {"", "Other"},
    {"", "Hardware"},
    {"", "Operating System"},
    {"", "Software"},
    {"", "Application"},
    {"", "Custom"},
}});
const TEnumTable<TSCStopMinorReason> kSCStopMinorReasons({{
    {"", "Other"},
    {"", "Maintenance"},
    {"", "Installation"},
    {"", "Upgrade"},
    {"", "Reconfiguration"},
    {"", "Hung"},
    {"", "Unstable"},
    {"", "Disk"},
    {"", "Network Card"},
    {"", "Environment"},
    {"", "Hardware Driver"},
    {"", "Other Driver"},
    {"", "Service Pack"},
    {"", "Software Update"},
    {"", "Security Fix"},
    {"", "Security"},
    {"", "Network Connectivity"},
    {"", "WMI"},
    {"", "Service Pack Uninstall"},
    {"", "Software Update Uninstall"},
    {"", "Security Fix Uninstall"},
    {"", "MMC"},
    {"", "Custom"},
}});

namespace {

using namespace fields;

constexpr TField kCustomSCFields[] = {
    Choice<&TCustomSCItem::Server>("Server", "cmbServer"),
    Text<&TCustomSCItem::ServiceName>("ServiceName"),
};

constexpr TField kServiceBoxFields[] = {ServiceBox()};

constexpr TField kStartFields[] = {
    ServiceBox(),
    LineList<&TSCStartItem::Args>("Args", "memArgs"),
};

constexpr std::string_view kModeButtons[] = {"rbAllServices", "rbSelectedService",
                                             "rbAllServicesFiltered"};

// The extended-info box and the mode's radio buttons: see SpecialToEditor.
constexpr TField kQueryFields[] = {
    ServiceBox(),
    Enum<&TSCQueryItem::QueryMode>("QueryMode"),
    Enum<&TSCQueryItem::Mode>("Mode"),
    Enum<&TSCQueryItem::ServType>("ServType", "cmbType"),
    Enum<&TSCQueryItem::State>("State", "cmbState"),
    Integer<&TSCQueryItem::BufSize>("BufSize", "sedBufSize"),
    Integer<&TSCQueryItem::RI>("RI", "sedRI"),
    Text<&TSCQueryItem::Group>("Group", "edtGroup"),
    Control(TFieldKind::fkFlag, "cbxModeEx"),
    Control(TFieldKind::fkRadio, kModeButtons[0]),
    Control(TFieldKind::fkRadio, kModeButtons[1]),
    Control(TFieldKind::fkRadio, kModeButtons[2]),
};

constexpr TField kStopFields[] = {
    ServiceBox(),
    Flag<&TSCStopItem::Reason>("Reason", "cbxReason"),
    Enum<&TSCStopItem::Flag>("Flag", "cmbFlag"),
    Enum<&TSCStopItem::MajorReason>("MajorReason", "cmbMajorReason"),
    Integer<&TSCStopItem::MajorReasonCustomCode>("MajorReasonCustomCode",
                                                 "sedMajorReasonCustomCode"),
    Enum<&TSCStopItem::MinorReason>("MinorReason", "cmbMinorReason"),
    Integer<&TSCStopItem::MinorReasonCustomCode>("MinorReasonCustomCode",
                                                 "sedMinorReasonCustomCode"),
    Text<&TSCStopItem::Comment>("Comment", "edtComment"),
};

constexpr int32_t kDefaultBufSize = 4096;

}  // namespace

const TClass TCustomSCItem::Class =
    AbstractClass<TCustomProjectItem>("TCustomSCItem", kCustomSCFields);
PALVETTA_DEFINE_CLASS(TSCPauseItem, TCustomSCItem, kServiceBoxFields);
PALVETTA_DEFINE_CLASS(TSCContinueItem, TCustomSCItem, kServiceBoxFields);
PALVETTA_DEFINE_CLASS(TSCInterrogateItem, TCustomSCItem, kServiceBoxFields);
PALVETTA_DEFINE_CLASS(TSCDeleteItem, TCustomSCItem, kServiceBoxFields);
PALVETTA_DEFINE_CLASS(TSCStartItem, TCustomSCItem, kStartFields);
PALVETTA_DEFINE_CLASS(TSCQueryItem, TCustomSCItem, kQueryFields);
PALVETTA_DEFINE_CLASS(TSCStopItem, TCustomSCItem, kStopFields);

// The shared pieces

std::string TCustomSCItem::Head() const {
  const std::string server = SCServerArgument(Server);
  return server.empty() ? std::string("SC") : "SC " + server;
}

std::string TCustomSCItem::ServiceArgument() const { return SCQuote(ServiceKeyName(ServiceName)); }

std::string TCustomSCItem::ServicePiece(const std::string& name) const {
  return IsBlank(name) ? std::string("<u>unknown</u> service") : "service " + name;
}

std::string TCustomSCItem::ServerPiece() const {
  return IsBlank(Server) ? std::string(" local PC") : " server " + Server;
}

std::string TCustomSCItem::OnServerText(const char* verb) const {
  return verb + ServicePiece(ServiceName) + " on " + ServerPiece();
}

// Pause, continue, interrogate, delete

std::string TSCPauseItem::GetHumanReadableText() const { return OnServerText("Pause "); }
std::string TSCPauseItem::GetBatchText() const { return Head() + " pause " + ServiceArgument(); }

std::string TSCContinueItem::GetHumanReadableText() const {
  return OnServerText("Continue paused ");
}
std::string TSCContinueItem::GetBatchText() const {
  return Head() + " continue " + ServiceArgument();
}

std::string TSCInterrogateItem::GetHumanReadableText() const {
  return OnServerText("Interrogate ");
}
std::string TSCInterrogateItem::GetBatchText() const {
  return Head() + " interrogate " + ServiceArgument();
}

std::string TSCDeleteItem::GetHumanReadableText() const { return OnServerText("Delete "); }
std::string TSCDeleteItem::GetBatchText() const { return Head() + " delete " + ServiceArgument(); }

// Start

std::string TSCStartItem::GetHumanReadableText() const { return OnServerText("Start "); }

std::string TSCStartItem::GetBatchText() const {
  std::string text = Head() + " start " + ServiceArgument();
  for (const std::string& argument : Args) text += " " + UserBatchSyntax(argument);
  return text;
}

// Query

std::string TSCQueryItem::GetHumanReadableText() const {
  std::string text = QueryMode == TQueryMode::qmEx ? "Query the extended status for"
                                                    : "Query the status for";
  switch (Mode) {
    case TSCQueryItemMode::qmSelectedService:
      text += " " + ServicePiece(Trim(ServiceName));
      break;
    case TSCQueryItemMode::qmAllServicesFiltered:
      text += " all services (filtered)";
      break;
    default:
      text += " all services";
  }
  return text + " on" + ServerPiece();
}

std::string TSCQueryItem::GetBatchText() const {
  std::string text = Head() + (QueryMode == TQueryMode::qmEx ? " QUERYEX" : " QUERY");
  if (Mode == TSCQueryItemMode::qmSelectedService) return text + " " + ServiceArgument();
  if (Mode != TSCQueryItemMode::qmAllServicesFiltered) return text;
  if (const std::string_view type = kSCQueryServiceTypes.Command(ServType); !type.empty()) {
    text += " type= " + std::string(type);
  }
  if (const std::string_view state = kSCQueryServiceStates.Command(State); !state.empty()) {
    text += " state= " + std::string(state);
  }
  if (BufSize != kDefaultBufSize) text += " bufsize= " + IntToStr(BufSize);
  if (RI != 0) text += " ri= " + IntToStr(RI);
  if (!IsBlank(Group)) text += " group= " + SCQuote(Group);
  return text;
}

void TSCQueryItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxModeEx", QueryMode == TQueryMode::qmEx);
  RadiosToEditor(values, kModeButtons, Mode);
}

void TSCQueryItem::SpecialFromEditor(const TEditorValues& values) {
  QueryMode = values.Checked("cbxModeEx") ? TQueryMode::qmEx : TQueryMode::qmNormal;
  Mode = RadiosFromEditor(values, kModeButtons, Mode);
}

// Stop

std::string TSCStopItem::ReasonCode() const {
  const std::string major = MajorReason == TSCStopMajorReason::mrCustom
                                ? IntToStr(MajorReasonCustomCode)
                                : IntToStr(Ordinal(MajorReason) + 1);
  const std::string minor = MinorReason == TSCStopMinorReason::mirCustom
                                ? IntToStr(MinorReasonCustomCode)
                                : IntToStr(Ordinal(MinorReason) + 1);
  return std::string(kSCStopFlags.Command(Flag)) + major + ":" + minor;
}

std::string TSCStopItem::GetHumanReadableText() const { return OnServerText("Stop "); }

std::string TSCStopItem::GetBatchText() const {
  std::string text = Head() + " stop " + ServiceArgument();
  if (!Reason) return text;
  text += " " + ReasonCode();
  if (!IsBlank(Comment)) text += " " + QuotePath(Comment);
  return text;
}

}  // namespace palvetta
