#include "items/service_control/sc_create_item.h"

#include "items/service_control/sc_quoting.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

const TEnumTable<TSCCreateType> kSCCreateTypes({{
    {"", "The service runs in its own process"},
    {"share", "The service runs as a shared process"},
    {"interact type= own", "The service can interact with the desktop, receiving input from users"},
    {"kernel", "Driver "},
    {"filesys", "File system driver"},
    {"rec", "File system recognized driver"},
}});
const TEnumTable<TSCCreateStart> kSCCreateStarts({{
    {"boot", "Boot: a driver loaded by the boot loader"},
    {"system", "System: a driver started while Windows starts"},
    {"auto", "Automatic: starts each time the computer starts"},
    {"", "Manual: started when needed"},
    {"disabled", "Disabled: cannot be started"},
    {"delayed-auto", "Delayed automatic: starts shortly after the automatic ones"},
}});
const TEnumTable<TSCCreateError> kSCCreateErrors({{
    {"", "Normal - log the error, show the message, continue"},
    {"severe", "Log the error, restart PC"},
    {"critical", "Log the error, restart PC, stop if last good config fails"},
    {"ignore", "Log the error, do not show the message, continue"},
}});

namespace {

using namespace fields;

// The name is typed into a plain field here: see SpecialToEditor.
constexpr TField kCreateFields[] = {
    Text<&TSCCreateItem::BinPath>("BinPath", "edtBinPath"),
    Enum<&TSCCreateItem::CType>("CType", "cmbType"),
    Enum<&TSCCreateItem::Start>("Start", "cmbStart"),
    Enum<&TSCCreateItem::Error>("Error", "cmbError"),
    Choice<&TSCCreateItem::Group>("Group", "cmbGroup"),
    EntryList<&TSCCreateItem::Depend>("Depend", "lbxDepend"),
    Text<&TSCCreateItem::Obj>("Obj", "edtObj"),
    Flag<&TSCCreateItem::Tag>("Tag", "cbxTag"),
    Text<&TSCCreateItem::DisplayName>("DisplayName", "edtDisplayName"),
    Text<&TSCCreateItem::Password>("Password", "edtPassword"),
    Control(TFieldKind::fkText, "edtServiceName"),
};

// " NAME= VALUE" for a value that is not empty.
std::string Option(const char* name, std::string_view value) {
  return value.empty() ? std::string() : " " + std::string(name) + "= " + std::string(value);
}

}  // namespace

PALVETTA_DEFINE_CLASS(TSCCreateItem, TCustomSCItem, kCreateFields);

std::string TSCCreateItem::Dependencies() const {
  TStrings names;
  for (const std::string& line : Depend) {
    std::string name = ServiceKeyName(Trim(line));
    if (!name.empty() && name != "+") names.push_back(name);
  }
  return JoinWith(names, "/");
}

std::string TSCCreateItem::GetHumanReadableText() const { return OnServerText("Create "); }

// SC reads a "%" of the password as it is, but cmd.exe would take a lone one (or a pair
// around a name) away first: only the user's own "%%" and references stay.
std::string TSCCreateItem::GetBatchText() const {
  std::string text = Head() + " create " + SCQuote(ServiceName);
  text += " binPath= " + BuildBinPath(BinPath);
  text += Option("type", kSCCreateTypes.Command(CType));
  text += Option("start", kSCCreateStarts.Command(Start));
  text += Option("error", kSCCreateErrors.Command(Error));
  if (!IsBlank(Group)) text += " group= " + SCQuote(Group);
  text += Tag ? " tag= yes" : " tag= no";
  if (const std::string depend = Dependencies(); !depend.empty()) {
    text += " depend= " + SCQuote(depend);
  }
  if (!IsBlank(Obj)) text += " obj= " + SCQuote(Obj);
  if (!IsBlank(DisplayName)) text += " DisplayName= " + QuotePath(DisplayName);
  if (!IsBlank(Password)) text += " password= " + SCQuote(EscapePercents(Password));
  return text;
}

void TSCCreateItem::SpecialToEditor(TEditorValues& values) const {
  values.SetText("edtServiceName", ServiceName);
}

void TSCCreateItem::SpecialFromEditor(const TEditorValues& values) {
  ServiceName = values.Text("edtServiceName");
}

}  // namespace palvetta
