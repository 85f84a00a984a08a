#include "items/console/input_items.h"

#include "base/utf.h"
#include "items/console/console_text.h"
#include "items/radio_groups.h"
#include "items/text_helpers.h"
#include "model/field_table.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr std::string_view kNumberingButtons[] = {"rbDigits", "rbLetters"};

constexpr TField kAskUserFields[] = {
    Text<&TAskUserItem::Intro>("Intro", "edtIntroText"),
    Text<&TAskUserItem::VarName>("VarName", "edtVarName"),
};
constexpr TField kUserChoiceFields[] = {
    LineList<&TUserChoiceItem::UserChoices>("UserChoices", "memItems"),
    Memo<&TUserChoiceItem::Intro>("Intro", "memIntroText"),
    Text<&TUserChoiceItem::Prompt>("Prompt", "edtPromptText"),
    Choice<&TUserChoiceItem::VarName>("VarName", "cmbVarName"),
    Enum<&TUserChoiceItem::ChoiceNumbering>("ChoiceNumbering"),
    Control(TFieldKind::fkRadio, kNumberingButtons[0]),
    Control(TFieldKind::fkRadio, kNumberingButtons[1]),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TAskUserItem, TCustomProjectItem, kAskUserFields);
PALVETTA_DEFINE_CLASS(TUserChoiceItem, TCustomProjectItem, kUserChoiceFields);

std::string MenuMarker(size_t position, TChoiceNumbering numbering) {
  if (numbering == TChoiceNumbering::cnNumbers) return IntToStr(static_cast<long long>(position) + 1);
  const size_t code = 'A' + position;
  // Only a menu of tens of thousands of options reaches the surrogates.
  const bool valid = code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  std::string marker;
  AppendUtf8(marker, valid ? static_cast<char32_t>(code) : U'?');
  return marker;
}

// SET /P

std::string TAskUserItem::GetHumanReadableText() const {
  return "Ask user \"" + OrPlaceholder(Intro, "Enter something") + "\" and store input to" +
         (IsBlank(VarName) ? std::string(" unknown variable") : " variable " + VarName);
}

std::string TAskUserItem::GetBatchText() const { return AskLine(VarName, Intro); }

// Menu

std::string TUserChoiceItem::GetHumanReadableText() const {
  return "Ask a user to choose an option and store it to " +
         (IsBlank(VarName) ? std::string("<u>unknown variable</u>") : "variable " + VarName);
}

// The markers go through the same escaping as the options: past "Z" come "^" and "|",
// which cmd.exe would otherwise read as an escape and a pipe.
std::string TUserChoiceItem::GetBatchText() const {
  TStrings lines;
  for (const std::string& line : SplitLines(Intro)) lines.push_back(EchoLine(line));
  for (size_t i = 0; i < UserChoices.size(); ++i) {
    lines.push_back("ECHO " + ConsoleText(MenuMarker(i, ChoiceNumbering) + ". " + UserChoices[i]));
  }
  lines.push_back(AskLine(VarName, Prompt));
  return JoinWith(lines, "\r\n");
}

void TUserChoiceItem::SpecialToEditor(TEditorValues& values) const {
  TStrings variables;
  DoNeedVarList(variables);
  values.SetChoices("cmbVarName", std::move(variables));
  RadiosToEditor(values, kNumberingButtons, ChoiceNumbering);
}

void TUserChoiceItem::SpecialFromEditor(const TEditorValues& values) {
  ChoiceNumbering = RadiosFromEditor(values, kNumberingButtons, ChoiceNumbering);
}

}  // namespace palvetta
