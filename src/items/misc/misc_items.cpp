#include "items/misc/misc_items.h"

#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"
#include "model/run_param.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kREMFields[] = {Lines<&TREMItem::Text>("Text", "memText")};
constexpr TField kParamFields[] = {
    Text<&TParamItem::Name>("Name", "edtName").ByCode(),
    Lines<&TParamItem::Descr>("Descr", "memDescr"),
    Enum<&TParamItem::ParamCheck>("ParamCheck", "cmbCheck"),
};
constexpr TField kSetVarValFields[] = {
    Text<&TSetVarValItem::Name>("Name", "edtName"),
    Text<&TSetVarValItem::Value>("Value", "edtValue"),
};
constexpr TField kVariableFields[] = {
    Text<&TVariableItem::Name>("Name", "edtName"),
    Text<&TVariableItem::Descr>("Descr", "edtDescr"),
};

std::string RequiredOrOptional(TParamCheck check) {
  return check == TParamCheck::pcNoCheck ? " (optional)" : " (required)";
}

}  // namespace

PALVETTA_DEFINE_CLASS(TREMItem, TCustomProjectItem, kREMFields);
PALVETTA_DEFINE_CLASS(TParamItem, TCustomProjectItem, kParamFields);
PALVETTA_DEFINE_CLASS(TSetVarValItem, TCustomProjectItem, kSetVarValFields);
PALVETTA_DEFINE_CLASS(TCheckParamsItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TVariableItem, TCustomProjectItem, kVariableFields);

// Comment

std::string TREMItem::GetHumanReadableText() const {
  if (IsBlank(Text)) return "<i>Comment</i>";
  return "<i>" + ReplaceLineBreaks(Text, "<br>") + "</i>";
}

std::string TREMItem::GetBatchText() const {
  TStrings lines;
  for (const auto& line : SplitLines(Text)) lines.push_back("REM " + CommentText(line));
  return JoinWith(lines, "\r\n");
}

// Parameter

std::string TParamItem::GetHumanReadableText() const {
  const std::string name = IsBlank(Name) ? "<u>Unnamed</u> parameter" : "Parameter: " + Name;
  return name + RequiredOrOptional(ParamCheck);
}

std::string TParamItem::GetBatchText() const { return {}; }

void TParamItem::SpecialToEditor(TEditorValues& values) const {
  values.SetText("edtName", Name);
  // Its number among the project's parameters: the dialog refuses one past the ninth.
  values.SetIndex("ParamNumber",
                  ProjectLists() ? ProjectLists()->PositionAmong(*this, TParamItem::Class) : 0);
}

void TParamItem::SpecialFromEditor(const TEditorValues& values) { Name = Trim(values.Text("edtName")); }

// SET

std::string TSetVarValItem::GetHumanReadableText() const {
  const std::string variable = IsBlank(Name) ? "<u>unnamed variable</u> " : "variable " + Name + " ";
  const std::string value = IsBlank(Value) ? "to <u>empty value</u>" : "to " + Value;
  return "Set " + variable + value;
}

// The value is what the variable gets: its & | < > ( ) ^ are text, not batch syntax.
std::string TSetVarValItem::GetBatchText() const {
  return "SET " + EscapeSetAssignment(Name, Value);
}

// Parameter check

std::string TCheckParamsItem::GetHumanReadableText() const {
  return "Check required parameters of this batch file";
}

std::string TCheckParamsItem::GetBatchText() const {
  TItemList params;
  DoNeedParamList(params);
  TRunParams runParams;
  for (auto* item : params) {
    const auto& param = static_cast<const TParamItem&>(*item);
    TRunParam& entry = runParams.Add();
    entry.Param = param.Name;
    entry.Descr = param.Descr;
    entry.ParamCheck = param.ParamCheck;
  }
  TStrings lines{"REM Check parameters"};
  if (!runParams.GetParamCheckCode(lines, {"GOTO :USAGEHINT"}, false)) return {};

  TStrings names;
  for (const TRunParam& entry : runParams) names.push_back(entry.Param);
  const std::string joined = JoinWith(names, " ");
  // With delayed expansion on (after a SETLOCAL item that enables it) cmd.exe would eat
  // every "!" of the names and descriptions; the hint switches it off before it speaks,
  // and its EXIT ends that again.
  TStrings usage{"EXIT /B", "REM Usage hint", ":USAGEHINT", "SETLOCAL DISABLEDELAYEDEXPANSION", "ECHO Usage:",
                 IsBlank(joined) ? std::string() : "ECHO %~nx0 " + EscapeEchoText(joined),
                 "ECHO Parameters:"};
  for (const TRunParam& entry : runParams) {
    usage.push_back("ECHO " + EscapeEchoText(entry.Param) + RequiredOrOptional(entry.ParamCheck) +
                    " - " + EscapeEchoText(Trim(entry.Descr)));
  }
  // A failed check ends the batch file with an error, not with success.
  usage.push_back("EXIT /B 1");
  DoNeedToAppendLines(usage);
  return TrimRight(JoinWith(lines, "\r\n"));
}

// Variable declaration

std::string TVariableItem::GetHumanReadableText() const {
  return "Variable: " + OrPlaceholder(Name, "<u>noname</u> ");
}

std::string TVariableItem::GetBatchText() const {
  return "REM Declare a variable: " + CommentText(Name) + "\r\nREM Purpose: " + CommentText(Trim(Descr));
}

}  // namespace palvetta
