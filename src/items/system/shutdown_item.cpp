#include "items/system/shutdown_item.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

const TEnumTable<TShutDownMode> kShutdownModes({{
    {" /l", "Log Off"},
    {" /s", "Shutdown"},
    {" /r", "Shutdown and restart"},
    {" /g", "Shutdown, restart and run registered apps"},
    {" /a", "Abort shutdown"},
    {" /p", "Turn Off"},
    {" /h", "Hibernate"},
    {" /e", "Document unexpected shutdown"},
}});

// The command's prefix of a reason's numbers: planned "p:", customer defined "u:".
const TEnumTable<TReasonType> kReasonTypes({{
    {"", "Expected"},
    {"", "Unexpected"},
    {"p:", "Planned"},
    {"u:", "Customer Defined"},
}});

namespace {

using namespace fields;

constexpr TField kShutdownFields[] = {
    Enum<&TShutdownItem::ShutdownMode>("ShutdownMode", "cmbShutdownMode"),
    Text<&TShutdownItem::Computer>("Computer", "edtComputer"),
    Integer<&TShutdownItem::Timeout>("Timeout", "sedTimeout"),
    Flag<&TShutdownItem::ForceCloseApps>("ForceCloseApps", "cbxForceCloseApps"),
    Flag<&TShutdownItem::ProvideReason>("ProvideReason", "cbxProvideReason"),
    Enum<&TShutdownItem::ReasonType>("ReasonType", "cmbReasonType"),
    Integer<&TShutdownItem::MajorReasonNumber>("MajorReasonNumber"),
    Integer<&TShutdownItem::MinorReasonNumber>("MinorReasonNumber"),
    Text<&TShutdownItem::Comment>("Comment", "edtComment"),
    Control(TFieldKind::fkEnumeration, "cmbReason"),
};

// The modes that shut down or restart after a wait.
bool Waits(TShutDownMode mode) {
  return mode == TShutDownMode::sdmShutdown || mode == TShutDownMode::sdmShutdownRestart ||
         mode == TShutDownMode::sdmShutdownRestartRegApp;
}

constexpr std::string_view kReadableModes[] = {
    "Log off",         "Shutdown",
    "Shutdown and restart", "Shutdown, restart then run registered apps",
    "Abort shutdown",  "Turn off withour warnings",
    "Hibernate",       "Document unexpected shutdown"};

TReasonType ReasonTypeOf(const TEditorValues& values) {
  const int index = values.Index("cmbReasonType");
  return index >= 0 && index < static_cast<int>(kReasonTypes.kSize) ? static_cast<TReasonType>(index)
                                                                     : TReasonType::rtExpected;
}

}  // namespace

PALVETTA_DEFINE_CLASS(TShutdownItem, TCustomProjectItem, kShutdownFields);

std::string TShutdownItem::GetHumanReadableText() const {
  const auto mode = static_cast<size_t>(ShutdownMode);
  std::string text(mode < std::size(kReadableModes) ? kReadableModes[mode] : "");
  if (!IsBlank(Computer)) text += " computer " + Computer;
  return text;
}

std::string TShutdownItem::GetBatchText() const {
  std::string text = "SHUTDOWN" + std::string(kShutdownModes.Command(ShutdownMode));
  if (!IsBlank(Computer)) text += " /m " + QuoteIfSpaced("\\\\" + ReplaceAll(Trim(Computer), "\\", ""));
  if (Timeout >= 0 && Waits(ShutdownMode)) text += " /t " + IntToStr(Timeout);
  if (!IsBlank(Comment)) text += " /c " + QuotePath(Comment);
  if (ForceCloseApps) text += " /f";
  if (ProvideReason) {
    text += " /d " + std::string(kReasonTypes.Command(ReasonType)) + IntToStr(MajorReasonNumber) +
            ":" + IntToStr(MinorReasonNumber);
  }
  return TrimRight(EscapeBatchSpecials(text));
}

// The values are shown as stored, even a kind of reason the mode would change: only the
// user's choice of a mode changes it.
void TShutdownItem::SpecialToEditor(TEditorValues& values) const {
  shutdown_editor::FillReasons(values, MajorReasonNumber, MinorReasonNumber);
}

// The numbers of the reason chosen, also while no reason is asked for (the list is then
// disabled but still shows the item's reason).
void TShutdownItem::SpecialFromEditor(const TEditorValues& values) {
  const auto reasons = ShutdownReasonsOf(ReasonTypeOf(values));
  const int index = values.Index("cmbReason");
  if (index < 0 || index >= static_cast<int>(reasons.size())) return;
  MajorReasonNumber = reasons[static_cast<size_t>(index)]->MajorReason;
  MinorReasonNumber = reasons[static_cast<size_t>(index)]->MinorReason;
}

namespace shutdown_editor {

void ApplyMode(TEditorValues& values) {
  const bool documenting =
      values.Index("cmbShutdownMode") == static_cast<int>(TShutDownMode::sdmDocumentUnexpected);
  if (documenting) values.SetIndex("cmbReasonType", static_cast<int>(TReasonType::rtUnexpected));
  if (!values.Checked("cbxProvideReason")) values.SetChecked("cbxProvideReason", documenting);
}

void FillReasons(TEditorValues& values, int major, int minor) {
  const auto reasons = ShutdownReasonsOf(ReasonTypeOf(values));
  TStrings titles;
  int selected = -1;
  for (const TShutdownReason* reason : reasons) {
    if (selected < 0 && reason->MajorReason == major && reason->MinorReason == minor) {
      selected = static_cast<int>(titles.size());
    }
    titles.emplace_back(reason->Title);
  }
  values.SetChoices("cmbReason", std::move(titles));
  values.SetIndex("cmbReason", reasons.empty() ? -1 : std::max(selected, 0));
}

}  // namespace shutdown_editor

}  // namespace palvetta
