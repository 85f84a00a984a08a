#include "items/remote_query/driverquery_gpresult_items.h"

#include "items/radio_groups.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr std::string_view kScopeButtons[] = {"rbScopeUSer", "rbScopeComputer"};
constexpr std::string_view kFormatButtons[] = {"rbStandard", "rbXML", "rbHTML"};
constexpr std::string_view kVerboseButtons[] = {"rbVerboseNormal", "rbVerboseSummary",
                                                "rbVerboseDetails", "rbVerboseSuper"};

constexpr TField kDriverQueryFields[] = {
    Flag<&TDriverQueryItem::SI>("SI", "cbxSI"),
    sup_controls::System(),
    sup_controls::User(),
    sup_controls::Password(),
    sup_controls::OutputFormat(),
    sup_controls::NoHeader(),
    sup_controls::Verbose(),
};

constexpr TField kGPResultFields[] = {
    Enum<&TGPResultItem::Format>("Format"),
    Text<&TGPResultItem::FileName>("FileName", "edtFileName"),
    Flag<&TGPResultItem::F>("F", "cbxF"),
    Enum<&TGPResultItem::SCOPE>("SCOPE"),
    Text<&TGPResultItem::ScopeUser>("ScopeUser", "edtScopeUser"),
    Enum<&TGPResultItem::GPResultVerboseMode>("GPResultVerboseMode"),
    sup_controls::System(),
    sup_controls::User(),
    sup_controls::Password(),
    Control(TFieldKind::fkRadio, kScopeButtons[0]),
    Control(TFieldKind::fkRadio, kScopeButtons[1]),
    Control(TFieldKind::fkRadio, kFormatButtons[0]),
    Control(TFieldKind::fkRadio, kFormatButtons[1]),
    Control(TFieldKind::fkRadio, kFormatButtons[2]),
    Control(TFieldKind::fkRadio, kVerboseButtons[0]),
    Control(TFieldKind::fkRadio, kVerboseButtons[1]),
    Control(TFieldKind::fkRadio, kVerboseButtons[2]),
    Control(TFieldKind::fkRadio, kVerboseButtons[3]),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TDriverQueryItem, TCustomSUPItem, kDriverQueryFields);
PALVETTA_DEFINE_CLASS(TGPResultItem, TCustomSUPItem, kGPResultFields);

// DRIVERQUERY

std::string TDriverQueryItem::GetHumanReadableText() const {
  return "Display a list of installed device drivers";
}

std::string TDriverQueryItem::GetBatchText() const {
  return "DRIVERQUERY" + GetSUPParams(*this, false) + (SI ? " /SI" : "");
}

// GPRESULT

std::string TGPResultItem::GetHumanReadableText() const {
  std::string text = "Display the Resultant Set of Policy (RSoP) for";
  if (SCOPE == TGPResultScope::gpsUser) {
    return text + (IsBlank(ScopeUser) ? " <u>unknown</u> user" : " user " + ScopeUser);
  }
  return text + (IsBlank(System) ? " local PC" : " remote PC \"" + System + "\"");
}

std::string TGPResultItem::GetBatchText() const {
  std::string text = "GPRESULT" + GetSUPParams(*this, true);
  const bool user = SCOPE == TGPResultScope::gpsUser;
  text += user ? " /SCOPE USER" : " /SCOPE COMPUTER";
  if (user && !IsBlank(ScopeUser)) text += " /USER " + QuoteIfSpaced(ScopeUser);
  switch (GPResultVerboseMode) {
    case TGPResultVerboseMode::gprNone:
      // Without a report file and a verbosity, GPRESULT would only print its usage.
      if (Format == TGPResultOutputFormat::gpofDefault) text += " /R";
      break;
    case TGPResultVerboseMode::gpvR:
      text += " /R";
      break;
    case TGPResultVerboseMode::gpvV:
      text += " /V";
      break;
    case TGPResultVerboseMode::gpvZ:
      text += " /Z";
      break;
  }
  if (Format != TGPResultOutputFormat::gpofDefault) {
    text += Format == TGPResultOutputFormat::gpofXML ? " /X " : " /H ";
    text += QuoteIfSpaced(FileName);
    if (F) text += " /F";
  }
  return text;
}

void TGPResultItem::SpecialToEditor(TEditorValues& values) const {
  RadiosToEditor(values, kScopeButtons, SCOPE);
  RadiosToEditor(values, kFormatButtons, Format);
  RadiosToEditor(values, kVerboseButtons, GPResultVerboseMode);
}

void TGPResultItem::SpecialFromEditor(const TEditorValues& values) {
  SCOPE = values.Checked(kScopeButtons[0]) ? TGPResultScope::gpsUser : TGPResultScope::gpsComputer;
  Format = RadiosFromEditor(values, kFormatButtons, Format);
  GPResultVerboseMode = RadiosFromEditor(values, kVerboseButtons, GPResultVerboseMode);
}

}  // namespace palvetta
