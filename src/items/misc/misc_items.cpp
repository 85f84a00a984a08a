#include "items/misc/misc_items.h"

#include "model/quoting.h"
#include "model/run_param.h"

namespace palvetta {

PALVETTA_DEFINE_CLASS(TREMItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TParamItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSetVarValItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TCheckParamsItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TVariableItem, TCustomProjectItem);

void RegisterMiscItems(TClassRegistry& registry) {
  for (const TClass* cls : {&TREMItem::Class, &TParamItem::Class, &TSetVarValItem::Class,
                            &TCheckParamsItem::Class, &TVariableItem::Class}) {
    registry.Register(*cls);
  }
}

namespace {

std::string OrPlaceholder(const std::string& value, const char* placeholder) {
  return IsBlank(value) ? std::string(placeholder) : value;
}

// The memo's lines, each followed by CRLF, as a multi-line field is taken back.
std::string MemoLinesText(const std::string& memo) { return LinesText(SplitLines(memo)); }

std::string RequiredOrOptional(TParamCheck check) {
  return check == TParamCheck::pcNoCheck ? " (optional)" : " (required)";
}

}  // namespace

// Comment

void TREMItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Text", Text);
}

std::string TREMItem::GetHumanReadableText() const {
  if (IsBlank(Text)) return "<i>Comment</i>";
  return "<i>" + ReplaceLineBreaks(Text, "<br>") + "</i>";
}

std::string TREMItem::GetBatchText() const {
  TStrings lines;
  for (const auto& line : SplitLines(Text)) lines.push_back("REM " + line);
  return JoinWith(lines, "\r\n");
}

void TREMItem::ToEditor(TEditorValues& values) const { values.SetText("memText", Text); }

void TREMItem::FromEditor(const TEditorValues& values) { Text = MemoLinesText(values.Text("memText")); }

// Parameter

void TParamItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
  visitor.String("Descr", Descr);
  visitor.Enum("ParamCheck", ParamCheck);
}

std::string TParamItem::GetHumanReadableText() const {
  const std::string name = IsBlank(Name) ? "<u>Unnamed</u> parameter" : "Parameter: " + Name;
  return name + RequiredOrOptional(ParamCheck);
}

std::string TParamItem::GetBatchText() const { return {}; }

void TParamItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtName", Name);
  values.SetText("memDescr", Descr);
  values.SetIndex("cmbCheck", static_cast<int>(ParamCheck));
  // Its number among the project's parameters: the dialog refuses one past the ninth.
  values.SetIndex("ParamNumber",
                  ProjectLists() ? ProjectLists()->PositionAmong(*this, TParamItem::Class) : 0);
}

void TParamItem::FromEditor(const TEditorValues& values) {
  Name = Trim(values.Text("edtName"));
  Descr = MemoLinesText(values.Text("memDescr"));
  const int check = values.Index("cmbCheck");
  if (check >= 0 && static_cast<size_t>(check) < EnumTypeOf<TParamCheck>().Values.size()) {
    ParamCheck = static_cast<TParamCheck>(check);
  }
}

// SET

void TSetVarValItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
  visitor.String("Value", Value);
}

std::string TSetVarValItem::GetHumanReadableText() const {
  const std::string variable = IsBlank(Name) ? "<u>unnamed variable</u> " : "variable " + Name + " ";
  const std::string value = IsBlank(Value) ? "to <u>empty value</u>" : "to " + Value;
  return "Set " + variable + value;
}

// The value is what the variable gets: its & | < > ( ) ^ are text, not batch syntax.
std::string TSetVarValItem::GetBatchText() const {
  return "SET " + EscapeBatchSpecials(Name) + "=" + EscapeBatchSpecials(Value);
}

void TSetVarValItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtName", Name);
  values.SetText("edtValue", Value);
}

void TSetVarValItem::FromEditor(const TEditorValues& values) {
  Name = values.Text("edtName");
  Value = values.Text("edtValue");
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
  TStrings usage{"EXIT /B", "REM Usage hint", ":USAGEHINT", "ECHO Usage:",
                 IsBlank(joined) ? std::string() : "ECHO %~nx0 " + EscapeBatchSpecials(joined),
                 "ECHO Parameters:"};
  for (const TRunParam& entry : runParams) {
    usage.push_back("ECHO " + EscapeBatchSpecials(entry.Param) + RequiredOrOptional(entry.ParamCheck) +
                    " - " + EscapeBatchSpecials(Trim(entry.Descr)));
  }
  // A failed check ends the batch file with an error, not with success.
  usage.push_back("EXIT /B 1");
  DoNeedToAppendLines(usage);
  return TrimRight(JoinWith(lines, "\r\n"));
}

// Variable declaration

void TVariableItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
  visitor.String("Descr", Descr);
}

std::string TVariableItem::GetHumanReadableText() const {
  return "Variable: " + OrPlaceholder(Name, "<u>noname</u> ");
}

std::string TVariableItem::GetBatchText() const {
  return "REM Declare a variable: " + OneLine(Name) + "\r\nREM Purpose: " + OneLine(Trim(Descr));
}

void TVariableItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtName", Name);
  values.SetText("edtDescr", Descr);
}

void TVariableItem::FromEditor(const TEditorValues& values) {
  Name = values.Text("edtName");
  Descr = values.Text("edtDescr");
}

}  // namespace palvetta
