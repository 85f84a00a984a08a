#include "items/compare_search/write_to_file_item.h"

#include "items/compare_search/command_line.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

// Overwrite takes the place of the base's element of that name (see ForEachField).
constexpr TField kWriteToFileFields[] = {
    Text<&TWriteToFileItem::Path>("Path", "edtPath"),
    Text<&TWriteToFileItem::Text>("Text", "edtText"),
    Text<&TWriteToFileItem::VarName>("VarName", "edtVarName"),
    Flag<&TWriteToFileItem::Overwrite>("Overwrite", "cbxOverwrite"),
    Enum<&TWriteToFileItem::Mode>("Mode"),
    Control(TFieldKind::fkRadio, "rbVariable"),
    Control(TFieldKind::fkRadio, "rbWriteText"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TWriteToFileItem, TCustomProjectItem, kWriteToFileFields);

std::string TWriteToFileItem::GetHumanReadableText() const {
  std::string what;
  if (Mode == TWriteToFileMode::wtfVar) {
    what = IsBlank(VarName) ? "<u>unknown</u> variable" : "variable " + VarName;
  } else {
    what = IsBlank(Text) ? "<u>unknown</u> text" : "text \"" + Text + "\"";
  }
  const std::string file =
      IsBlank(Path) ? "<u>unknown</u> file" : "file \"" + ReplaceAll(Trim(Path), "\"", "") + "\"";
  return "Write " + what + " to " + file;
}

// The redirection stands first, so nothing the text ends with can join it; "ECHO(" prints
// an empty value as an empty line and a value such as "/?" or "ON" as text. The text is
// text: its batch specials get carets, and a "%" stays a variable reference only where it
// names one (EscapeLonePercents), so "%DATE%" expands and "100%" stays.
std::string TWriteToFileItem::GetBatchText() const {
  const std::string value = Mode == TWriteToFileMode::wtfVar
                                ? EscapeBatchSpecials("%" + OneLine(VarName) + "%")
                                : EscapeMessageText(Text);
  return std::string(Overwrite ? ">" : ">>") + QuotePath(OneLine(Path)) + " ECHO(" + value;
}

void TWriteToFileItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("rbVariable", Mode == TWriteToFileMode::wtfVar);
  values.SetChecked("rbWriteText", Mode == TWriteToFileMode::wtfText);
}

void TWriteToFileItem::SpecialFromEditor(const TEditorValues& values) {
  Mode = values.Checked("rbVariable") ? TWriteToFileMode::wtfVar : TWriteToFileMode::wtfText;
}

}  // namespace palvetta
