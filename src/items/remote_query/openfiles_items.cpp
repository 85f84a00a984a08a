#include "items/remote_query/openfiles_items.h"

#include "items/radio_groups.h"
#include "model/command_tables.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

// False first: see RadiosToEditor. The dialog shows "Enable" above "Disable".
constexpr std::string_view kOnOffButtons[] = {"rbDisable", "rbEnable"};

constexpr TField kQueryFields[] = {
    sup_controls::System(),       sup_controls::User(),     sup_controls::Password(),
    sup_controls::OutputFormat(), sup_controls::NoHeader(), sup_controls::Verbose(),
};

constexpr TField kDisconnectFields[] = {
    Text<&TOpenFilesDisconnectItem::ID>("ID", "edtID"),
    Text<&TOpenFilesDisconnectItem::A>("A", "edtA"),
    Enum<&TOpenFilesDisconnectItem::O>("O", "cmbOpenMode"),
    Text<&TOpenFilesDisconnectItem::OP>("OP", "edtOpenFile"),
    sup_controls::System(),
    sup_controls::User(),
    sup_controls::Password(),
};

constexpr TField kLocalFields[] = {
    Flag<&TOpenFilesLocalItem::OnOff>("OnOff"),
    Control(TFieldKind::fkRadio, kOnOffButtons[0]),
    Control(TFieldKind::fkRadio, kOnOffButtons[1]),
};

constexpr TEnumTable<TOpenFilesOpenMode> kOpenModes({{
    {"", "All modes"},
    {" /O Read", "Read"},
    {" /O Write", "Write"},
    {" /O Read/Write", "Read/Write"},
}});

// A value of its own: the user's quotes go, and it is quoted again when it needs it.
std::string DisconnectValue(const std::string& value) {
  return QuoteIfSpaced(ReplaceAll(value, "\"", ""));
}

}  // namespace

const TClass TCustomOpenFileItem::Class = AbstractClass<TCustomSUPItem>("TCustomOpenFileItem");
PALVETTA_DEFINE_CLASS(TOpenFilesQueryItem, TCustomOpenFileItem, kQueryFields);
PALVETTA_DEFINE_CLASS(TOpenFilesDisconnectItem, TCustomOpenFileItem, kDisconnectFields);
PALVETTA_DEFINE_CLASS(TOpenFilesLocalItem, TCustomOpenFileItem, kLocalFields);

// /Query

std::string TOpenFilesQueryItem::GetHumanReadableText() const {
  return "Display a list of files and folders that have been remotely opened on" +
         (IsBlank(System) ? std::string(" local system") : " " + System);
}

std::string TOpenFilesQueryItem::GetBatchText() const {
  return "OPENFILES /Query" + GetSUPParams(*this, false);
}

// /Disconnect

std::string TOpenFilesDisconnectItem::GetHumanReadableText() const {
  return "Disconnect files and folders that have been opened remotely through a shared folder";
}

std::string TOpenFilesDisconnectItem::GetBatchText() const {
  std::string text = "OPENFILES /Disconnect" + GetSUPParams(*this, true);
  if (!IsBlank(ID)) text += " /ID " + DisconnectValue(ID);
  if (!IsBlank(A)) text += " /A " + DisconnectValue(A);
  text += kOpenModes.Command(O);
  if (!IsBlank(OP)) text += " /OP " + DisconnectValue(OP);
  return text;
}

// /Local

std::string TOpenFilesLocalItem::GetHumanReadableText() const {
  return OnOff ? "Enable tracking of local file handlers" : "Disable tracking of local file handlers";
}

std::string TOpenFilesLocalItem::GetBatchText() const {
  return OnOff ? "OPENFILES /Local ON" : "OPENFILES /Local OFF";
}

void TOpenFilesLocalItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kOnOffButtons, OnOff);
}

void TOpenFilesLocalItem::SpecialFromEditor(const TEditorValues& values) {
  OnOff = RadiosFromEditor(values, kOnOffButtons, false);
}

}  // namespace palvetta
