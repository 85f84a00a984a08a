#include "items/scheduled_tasks/schtasks_items.h"

#include "items/inherited_rows.h"
#include "items/scheduled_tasks/schtasks_quoting.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {
namespace {

using namespace fields;

using TCustom = TSCHTASKSCustomItem;

// The dialogs name their own controls for the computer and its account.
constexpr TField kCustomFields[] = {
    Text<&TCustom::Sys>("Sys"),
    Text<&TCustom::Username>("Username"),
    Text<&TCustom::Password>("Password"),
    Flag<&TCustom::RunAsUser>("RunAsUser"),
    Text<&TCustom::RAUsername>("RAUsername"),
    Text<&TCustom::RAPassword>("RAPassword"),
    Flag<&TCustom::AskForPassword>("AskForPassword"),
    Flag<&TCustom::AskForRAPassword>("AskForRAPassword"),
};

// The computer and its account, as the small dialogs show them.
constexpr TField kSystemBox = ShownOnly(Text<&TCustom::Sys>({}, "edtS"));
constexpr TField kUserBox = ShownOnly(Text<&TCustom::Username>({}, "edtU"));
constexpr TField kPasswordBox = ShownOnly(Text<&TCustom::Password>({}, "edtP"));

constexpr TField kRunFields[] = {
    kSystemBox, kUserBox, kPasswordBox,
    Text<&TSCHTASKSRunItem::TN>("TN", "edtTN"),
    Flag<&TSCHTASKSRunItem::I>("I", "cbxI"),
};
constexpr TField kEndFields[] = {
    kSystemBox, kUserBox, kPasswordBox,
    Text<&TSCHTASKSEndItem::TN>("TN", "edtTN"),
};
constexpr TField kDeleteFields[] = {
    kSystemBox, kUserBox, kPasswordBox,
    Text<&TSCHTASKSDeleteItem::TN>("TN", "edtTN"),
    Flag<&TSCHTASKSDeleteItem::F>("F", "cbxF"),
};
constexpr TField kQueryFields[] = {
    kSystemBox, kUserBox, kPasswordBox,
    Text<&TSCHTASKSQueryItem::TN>("TN", "edtTN"),
    Enum<&TSCHTASKSQueryItem::FO>("FO", "cmbFO"),
    Flag<&TSCHTASKSQueryItem::NH>("NH", "cbxNH"),
    Flag<&TSCHTASKSQueryItem::V>("V", "cbxV"),
    Flag<&TSCHTASKSQueryItem::OneXML>("OneXML", "cbxOneXML"),
};

}  // namespace

const TClass TSCHTASKSCustomItem::Class =
    AbstractClass<TCustomProjectItem>("TSCHTASKSCustomItem", kCustomFields);
PALVETTA_DEFINE_CLASS(TSCHTASKSRunItem, TSCHTASKSCustomItem, kRunFields);
PALVETTA_DEFINE_CLASS(TSCHTASKSEndItem, TSCHTASKSCustomItem, kEndFields);
PALVETTA_DEFINE_CLASS(TSCHTASKSDeleteItem, TSCHTASKSCustomItem, kDeleteFields);
PALVETTA_DEFINE_CLASS(TSCHTASKSQueryItem, TSCHTASKSCustomItem, kQueryFields);

// A password reaches SCHTASKS as typed: cmd.exe would drop a lone "%", so only the
// user's own "%%" and variable references stay as they are.
std::string TSCHTASKSCustomItem::SystemParams() const {
  if (IsBlank(Sys)) return {};
  std::string text = "/S " + QuoteIfSpaced(Sys);
  if (IsBlank(Username)) return text;
  text += " /U " + SchtasksQuote(Trim(Username));
  if (AskForPassword) return text + " /P";
  if (!Password.empty()) text += " /P " + SchtasksQuote(EscapePercents(Password));
  return text;
}

std::string TSCHTASKSCustomItem::TaskNameSwitch(const std::string& name) {
  return IsBlank(name) ? std::string() : " /TN " + QuoteOnce(name);
}

std::string TSCHTASKSCustomItem::TaskText(const char* verb, const std::string& name) {
  return verb + (IsBlank(name) ? std::string(" <u>unknown</u> scheduled task")
                               : " scheduled task \"" + name + "\"");
}

std::string TSCHTASKSRunItem::GetHumanReadableText() const { return TaskText("Run", TN); }
std::string TSCHTASKSRunItem::GetBatchText() const {
  return "SCHTASKS /Run " + SystemParams() + TaskNameSwitch(TN) + (I ? " /I" : "");
}

std::string TSCHTASKSEndItem::GetHumanReadableText() const { return TaskText("Stop running", TN); }
std::string TSCHTASKSEndItem::GetBatchText() const {
  return "SCHTASKS /End " + SystemParams() + TaskNameSwitch(TN);
}

std::string TSCHTASKSDeleteItem::GetHumanReadableText() const { return TaskText("Delete", TN); }
std::string TSCHTASKSDeleteItem::GetBatchText() const {
  return "SCHTASKS /Delete " + SystemParams() + TaskNameSwitch(TN) + (F ? " /F" : "");
}

std::string TSCHTASKSQueryItem::GetHumanReadableText() const {
  return "Display the scheduled tasks on" +
         (IsBlank(Sys) ? std::string(" local PC") : " remote PC \"" + Sys + "\"");
}

// SCHTASKS refuses /NH with a list or XML: only a table or CSV has a header to leave out.
std::string TSCHTASKSQueryItem::GetBatchText() const {
  std::string text = "SCHTASKS /Query " + SystemParams();
  switch (FO) {
    case TOutputFormat_WithXML::ofxXML:
      text += OneXML ? " /XML ONE" : " /XML";
      break;
    case TOutputFormat_WithXML::ofxList:
      text += " /FO LIST";
      break;
    case TOutputFormat_WithXML::ofxCSV:
      text += " /FO CSV";
      break;
    default:
      text += " /FO TABLE";
  }
  if (NH && (FO == TOutputFormat_WithXML::ofxTable || FO == TOutputFormat_WithXML::ofxCSV)) {
    text += " /NH";
  }
  if (V) text += " /V";
  return text + TaskNameSwitch(TN);
}

}  // namespace palvetta
