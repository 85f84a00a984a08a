#include "items/system/system_info_items.h"

#include <algorithm>

#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"
#include "model/remote_switches.h"

namespace palvetta {
namespace {

using namespace fields;

constexpr TField kSystemInfoFields[] = {
    Text<&TSystemInfoItem::System>("System", "edtSystem"),
    Text<&TSystemInfoItem::User>("User", "edtUser"),
    Text<&TSystemInfoItem::Password>("Password", "edtPassword"),
    Flag<&TSystemInfoItem::NoHeader>("NoHeader", "cbxNoHeader"),
    Enum<&TSystemInfoItem::OutputFormat>("OutputFormat", "cmbOutputFormat"),
};

constexpr TField kDateTimeFields[] = {
    Flag<&TDisplayCurrentDateAndTimeItem::Time>("Time", "cbxTime"),
    Flag<&TDisplayCurrentDateAndTimeItem::Date>("Date", "cbxDate"),
};

// "Ask user" and "Set ... to:", the one for true first.
constexpr std::string_view kSetTimeButtons[] = {"rbSetTime", "rbAskUser"};
constexpr std::string_view kSetDateButtons[] = {"rbSetDate", "rbAskUser"};

constexpr TField kSetTimeFields[] = {
    Flag<&TSetTimeItem::AskUser>("AskUser"),
    Text<&TSetTimeItem::Time>("Time", "edtTime"),
    Control(TFieldKind::fkRadio, kSetTimeButtons[0]),
    Control(TFieldKind::fkRadio, kSetTimeButtons[1]),
};

constexpr TField kSetDateFields[] = {
    Flag<&TSetDateItem::AskUser>("AskUser"),
    Text<&TSetDateItem::Date>("Date", "edtDate"),
    Control(TFieldKind::fkRadio, kSetDateButtons[0]),
    Control(TFieldKind::fkRadio, kSetDateButtons[1]),
};

using TCOM = TCOMModeItem;

// A text picked from a fixed list, shown as the index of its entry (see the item's code).
template <auto Member>
constexpr TField PickedText(std::string_view name, std::string_view control) {
  TField row = Text<Member>(name, control).ByCode();
  row.Kind = TFieldKind::fkEnumeration;
  return row;
}

constexpr TField kCOMModeFields[] = {
    Integer<&TCOM::ComPort>("ComPort", "sedCOMPort"),
    Flag<&TCOM::SetBAUD>("SetBAUD", "cbxSetBAUD"),
    Flag<&TCOM::SetParity>("SetParity", "cbxSetParity"),
    Flag<&TCOM::SetData>("SetData", "cbxSetData"),
    Flag<&TCOM::SetSTOP>("SetSTOP", "cbxSetStop"),
    Flag<&TCOM::SetTo>("SetTo", "cbxSetTo"),
    Flag<&TCOM::SetXON>("SetXON", "cbxSetXON"),
    Flag<&TCOM::SetODSR>("SetODSR", "cbxSetODSR"),
    Flag<&TCOM::SetOCTS>("SetOCTS", "cbxSetOCTS"),
    Flag<&TCOM::SetDTR>("SetDTR", "cbxSetDTR"),
    Flag<&TCOM::SetRTS>("SetRTS", "cbxSetRTS"),
    Flag<&TCOM::SetIDSR>("SetIDSR", "cbxSetIDSR"),
    Text<&TCOM::BAUD>("BAUD", "edtBaud"),
    Text<&TCOM::Parity>("Parity", "edtParity"),
    Text<&TCOM::Data>("Data", "edtData"),
    Text<&TCOM::Stop>("Stop", "edtStop"),
    PickedText<&TCOM::ToVal>("ToVal", "cmbTimeout"),
    PickedText<&TCOM::XON>("XON", "cmbXON"),
    PickedText<&TCOM::ODSR>("ODSR", "cmbODSR"),
    PickedText<&TCOM::OCTS>("OCTS", "cmbOCTS"),
    PickedText<&TCOM::DTR>("DTR", "cmbDTR"),
    PickedText<&TCOM::RTS>("RTS", "cmbRTS"),
    PickedText<&TCOM::IDSR>("IDSR", "cmbidsr"),
};

// The switches after the port, in the command's order, with the flag that writes each.
struct TComSwitch {
  bool TCOM::*Flag;
  std::string_view Name;
  std::string TCOM::*Value;
};
constexpr TComSwitch kComSwitches[] = {
    {&TCOM::SetBAUD, " BAUD=", &TCOM::BAUD}, {&TCOM::SetParity, " PARITY=", &TCOM::Parity},
    {&TCOM::SetData, " DATA=", &TCOM::Data}, {&TCOM::SetSTOP, " STOP=", &TCOM::Stop},
    {&TCOM::SetTo, " to=", &TCOM::ToVal},    {&TCOM::SetXON, " xon=", &TCOM::XON},
    {&TCOM::SetODSR, " odsr=", &TCOM::ODSR}, {&TCOM::SetOCTS, " octs=", &TCOM::OCTS},
    {&TCOM::SetDTR, " dtr=", &TCOM::DTR},    {&TCOM::SetRTS, " rts=", &TCOM::RTS},
    {&TCOM::SetIDSR, " idsr=", &TCOM::IDSR},
};

}  // namespace

PALVETTA_DEFINE_CLASS(TSystemInfoItem, TCustomProjectItem, kSystemInfoFields);
PALVETTA_DEFINE_CLASS(TDisplayCurrentDateAndTimeItem, TCustomProjectItem, kDateTimeFields);
PALVETTA_DEFINE_CLASS(TSetTimeItem, TCustomProjectItem, kSetTimeFields);
PALVETTA_DEFINE_CLASS(TSetDateItem, TCustomProjectItem, kSetDateFields);
PALVETTA_DEFINE_CLASS(TCOMModeItem, TCustomProjectItem, kCOMModeFields);

// SYSTEMINFO

std::string TSystemInfoItem::GetHumanReadableText() const {
  return "Display operating system configuration information for " +
         (IsBlank(System) ? std::string(" local machine") : " remote machine " + System);
}

std::string TSystemInfoItem::GetBatchText() const {
  return TrimRight(EscapeBatchSpecials("SYSTEMINFO" + RemoteSystemSwitches(System, User, Password) +
                                       HeaderAndFormatSwitches(NoHeader, OutputFormat)));
}

// DATE /T, TIME /T

std::string TDisplayCurrentDateAndTimeItem::GetHumanReadableText() const {
  if (!Date && !Time) return "Do not display current system date and time";
  return std::string("Display current system ") + (Date ? "date " : "") +
         (Date && Time ? "and " : "") + (Time ? "time" : "");
}

std::string TDisplayCurrentDateAndTimeItem::GetBatchText() const {
  return std::string(Time ? "TIME /T\r\n" : "") + (Date ? "DATE /T\r\n" : "");
}

// TIME, DATE

namespace {

std::string SetClockText(bool askUser, const std::string& value, const char* command) {
  return askUser ? std::string(command) : TrimRight(EscapeBatchSpecials(command + (" " + value)));
}

std::string SetClockReadable(bool askUser, const std::string& value, const std::string& what) {
  if (askUser) return "Ask user to set system " + what;
  return "Set system " + what + " to " + OrPlaceholder(value, ("<u>unknown " + what + "</u>").c_str());
}

}  // namespace

std::string TSetTimeItem::GetHumanReadableText() const { return SetClockReadable(AskUser, Time, "time"); }
std::string TSetTimeItem::GetBatchText() const { return SetClockText(AskUser, Time, "TIME"); }
void TSetTimeItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kSetTimeButtons, AskUser);
}
void TSetTimeItem::SpecialFromEditor(const TEditorValues& values) {
  AskUser = RadiosFromEditor(values, kSetTimeButtons, AskUser);
}

std::string TSetDateItem::GetHumanReadableText() const { return SetClockReadable(AskUser, Date, "date"); }
std::string TSetDateItem::GetBatchText() const { return SetClockText(AskUser, Date, "DATE"); }
void TSetDateItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kSetDateButtons, AskUser);
}
void TSetDateItem::SpecialFromEditor(const TEditorValues& values) {
  AskUser = RadiosFromEditor(values, kSetDateButtons, AskUser);
}

// MODE COMn

std::string ParityLetter(std::string_view parity) {
  static constexpr std::string_view kNames[][2] = {
      {"none", "n"}, {"even", "e"}, {"odd", "o"}, {"mark", "m"}, {"space", "s"}};
  const std::string trimmed = Trim(parity);
  for (const auto& name : kNames) {
    if (SameTextAscii(trimmed, name[0])) return std::string(name[1]);
  }
  return trimmed;
}

const std::vector<TComModeList>& ComModeLists() {
  static const std::vector<TComModeList> lists = {
      {"cmbTimeout", &TCOM::ToVal, {"on", "off"}},     {"cmbXON", &TCOM::XON, {"on", "off"}},
      {"cmbODSR", &TCOM::ODSR, {"on", "off"}},         {"cmbOCTS", &TCOM::OCTS, {"on", "off"}},
      {"cmbDTR", &TCOM::DTR, {"on", "off", "hs"}},     {"cmbRTS", &TCOM::RTS, {"on", "off", "hs", "tg"}},
      {"cmbidsr", &TCOM::IDSR, {"on", "off"}},
  };
  return lists;
}

std::string TCOMModeItem::GetHumanReadableText() const {
  return "Configure COM" + IntToStr(ComPort) + " port";
}

std::string TCOMModeItem::GetBatchText() const {
  std::string text = "MODE COM" + IntToStr(ComPort);
  for (const TComSwitch& entry : kComSwitches) {
    if (!(this->*entry.Flag)) continue;
    const std::string& value = this->*entry.Value;
    text += std::string(entry.Name) + (entry.Value == &TCOM::Parity ? ParityLetter(value) : value);
  }
  return TrimRight(EscapeBatchSpecials(text));
}

// A stored value selects the list's equal entry; one the list lacks selects none and
// reads back empty.
void TCOMModeItem::SpecialToEditor(TEditorValues& values) const {
  for (const TComModeList& list : ComModeLists()) {
    const auto found = std::find(list.Entries.begin(), list.Entries.end(), this->*list.Value);
    values.SetIndex(list.Control,
                    found == list.Entries.end() ? -1 : static_cast<int>(found - list.Entries.begin()));
  }
}

void TCOMModeItem::SpecialFromEditor(const TEditorValues& values) {
  for (const TComModeList& list : ComModeLists()) {
    const int index = values.Index(list.Control);
    this->*list.Value = index >= 0 && index < static_cast<int>(list.Entries.size())
                            ? list.Entries[static_cast<size_t>(index)]
                            : std::string();
  }
}

}  // namespace palvetta
