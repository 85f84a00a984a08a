#include "items/control_of_flow/control_of_flow_items.h"

#include <charconv>

#include "model/quoting.h"

namespace palvetta {

PALVETTA_DEFINE_CLASS(TGotoLabelItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TGotoItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TIfItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TElseItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TIfEndItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TPopdItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TEndLocalItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TCallItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TExitItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TRunProgramItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TPushdItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSetLocalItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TStartItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TCMDItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSubroutineItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSubroutineEndItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TSubroutineDispatcherItem, TCustomProjectItem);

void RegisterControlOfFlowItems(TClassRegistry& registry) {
  for (const TClass* cls :
       {&TGotoLabelItem::Class, &TGotoItem::Class, &TIfItem::Class, &TElseItem::Class,
        &TIfEndItem::Class, &TPopdItem::Class, &TEndLocalItem::Class, &TCallItem::Class,
        &TExitItem::Class, &TRunProgramItem::Class, &TPushdItem::Class, &TSetLocalItem::Class,
        &TStartItem::Class, &TCMDItem::Class, &TSubroutineItem::Class, &TSubroutineEndItem::Class,
        &TSubroutineDispatcherItem::Class}) {
    registry.Register(*cls);
  }
}

namespace {

const char* const kCrLf = "\r\n";

std::string OrPlaceholder(const std::string& value, const char* placeholder) {
  return IsBlank(value) ? std::string(placeholder) : value;
}

template <class E>
int Ordinal(E value) {
  return static_cast<int>(value);
}

// An enumeration from a list index; an index the enumeration lacks keeps the value.
template <class E>
void FromIndex(int index, E& value) {
  if (index >= 0 && static_cast<size_t>(index) < EnumTypeOf<E>().Values.size()) {
    value = static_cast<E>(index);
  }
}

// The names of the project's items of a class whose name is not blank, in project order.
template <class T>
TStrings NamesOf(const TItemList& items) {
  TStrings names;
  for (auto* item : items) {
    const std::string& name = static_cast<const T*>(item)->Name;
    if (!IsBlank(name)) names.push_back(name);
  }
  return names;
}

// Grid rows of run parameters: name (or argument) and description, and the check's
// ordinal when the grid has that column.
TGridRows RunParamRows(const TRunParams& params, bool withCheck) {
  TGridRows rows;
  for (const TRunParam& entry : params) {
    TStrings row{entry.Param, entry.Descr};
    if (withCheck) row.push_back(IntToStr(static_cast<int>(entry.ParamCheck)));
    rows.push_back(std::move(row));
  }
  return rows;
}

// Every row whose first cell is not blank becomes an entry, its cells as typed.
void RunParamsFromRows(const TGridRows& rows, TRunParams& params, bool withCheck) {
  params.Clear();
  for (const TStrings& row : rows) {
    if (row.empty() || IsBlank(row[0])) continue;
    TRunParam& entry = params.Add();
    entry.Param = row[0];
    entry.Descr = row.size() > 1 ? row[1] : std::string();
    int check = 0;
    if (withCheck && row.size() > 2) {
      const std::string cell = Trim(row[2]);
      std::from_chars(cell.data(), cell.data() + cell.size(), check);
    }
    FromIndex(check, entry.ParamCheck);
  }
}

}  // namespace

// Bookmark

void TGotoLabelItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
}

std::string TGotoLabelItem::GetHumanReadableText() const {
  return IsBlank(Name) ? "<u>Unnamed</u> bookmark" : Name;
}

std::string TGotoLabelItem::GetBatchText() const {
  return IsBlank(Name) ? std::string() : ":" + OneLine(Name);
}

void TGotoLabelItem::ToEditor(TEditorValues& values) const { values.SetText("edtName", Name); }

void TGotoLabelItem::FromEditor(const TEditorValues& values) { Name = values.Text("edtName"); }

// GOTO

void TGotoItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("LabelName", LabelName);
}

std::string TGotoItem::GetHumanReadableText() const {
  return "Go to " + OrPlaceholder(LabelName, "<u>unknown bookmark</u>");
}

std::string TGotoItem::GetBatchText() const { return "GOTO :" + OneLine(LabelName); }

void TGotoItem::ToEditor(TEditorValues& values) const {
  TItemList labels;
  DoNeedLabelsList(labels);
  values.SetChoices("cmbLabel", NamesOf<TGotoLabelItem>(labels));
  values.SetText("cmbLabel", LabelName);
}

void TGotoItem::FromEditor(const TEditorValues& values) { LabelName = values.Text("cmbLabel"); }

// IF, ELSE, end of IF

void TIfItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Condition", Condition);
}

std::string TIfItem::GetHumanReadableText() const {
  return "IF " + OrPlaceholder(Condition, "<u>unspecified condition</u>");
}

// The condition is batch syntax the user writes; only a line break could turn part of
// it into a command of its own.
std::string TIfItem::GetBatchText() const { return "IF " + OneLine(Condition) + " ("; }

void TIfItem::ToEditor(TEditorValues& values) const { values.SetText("edtCondition", Condition); }

void TIfItem::FromEditor(const TEditorValues& values) { Condition = values.Text("edtCondition"); }

std::string TElseItem::GetHumanReadableText() const { return "ELSE"; }
std::string TElseItem::GetBatchText() const { return ") ELSE ("; }

std::string TIfEndItem::GetHumanReadableText() const { return "End of IF (End of ELSE)"; }
std::string TIfEndItem::GetBatchText() const { return ")"; }

// POPD, ENDLOCAL

std::string TPopdItem::GetHumanReadableText() const { return "Restore saved current directory."; }
std::string TPopdItem::GetBatchText() const { return "POPD"; }

std::string TEndLocalItem::GetHumanReadableText() const {
  return "End localization of environment changes in a batch file.";
}
std::string TEndLocalItem::GetBatchText() const { return "ENDLOCAL"; }

// CALL

void TCallItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("BatchFileName", BatchFileName);
  visitor.String("BatchFileParams", BatchFileParams);
}

std::string TCallItem::GetHumanReadableText() const {
  return "Call external " +
         (IsBlank(BatchFileName) ? std::string("<u>unknown batch file</u>")
                                 : "batch file " + BatchFileName);
}

std::string TCallItem::GetBatchText() const {
  return TrimRight("CALL " + QuoteIfSpaced(OneLine(BatchFileName)) + " " + OneLine(BatchFileParams));
}

void TCallItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtBatchFileName", BatchFileName);
  values.SetText("edtBatchFileParams", BatchFileParams);
}

void TCallItem::FromEditor(const TEditorValues& values) {
  BatchFileName = values.Text("edtBatchFileName");
  BatchFileParams = values.Text("edtBatchFileParams");
}

// EXIT

void TExitItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("ErrorCode", ErrorCode);
}

std::string TExitItem::GetHumanReadableText() const {
  const std::string code = Trim(ErrorCode);
  return "Exit this batch file" + (code.empty() ? std::string() : " with exit code " + code);
}

std::string TExitItem::GetBatchText() const {
  const std::string code = Trim(OneLine(ErrorCode));
  return code.empty() ? "EXIT /B" : "EXIT /B " + code;
}

void TExitItem::ToEditor(TEditorValues& values) const {
  values.SetChecked("cbxSetExitCode", !IsBlank(ErrorCode));
  values.SetText("edtExitCode", Trim(ErrorCode));
}

void TExitItem::FromEditor(const TEditorValues& values) {
  ErrorCode = values.Checked("cbxSetExitCode") ? Trim(values.Text("edtExitCode")) : std::string();
}

// Run program

void TRunProgramItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Path", Path);
  visitor.Collection("RunParams", RunParams);
}

std::string TRunProgramItem::GetHumanReadableText() const {
  return "Launch " + OrPlaceholder(Path, "<u>unknown program</u>");
}

std::string TRunProgramItem::GetBatchText() const {
  TStrings params;
  for (const TRunParam& entry : RunParams) params.push_back(OneLine(entry.Param));
  return TrimRight(QuoteIfSpaced(OneLine(Path)) + " " + JoinWith(params, " "));
}

void TRunProgramItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtPath", Path);
  values.SetRows("vstParams", RunParamRows(RunParams, false));
}

void TRunProgramItem::FromEditor(const TEditorValues& values) {
  Path = values.Text("edtPath");
  RunParamsFromRows(values.Rows("vstParams"), RunParams, false);
}

// PUSHD

void TPushdItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Path", Path);
}

std::string TPushdItem::GetHumanReadableText() const {
  return "Store the current directory for later use" +
         (IsBlank(Path) ? std::string() : " and switch to directory " + Path);
}

std::string TPushdItem::GetBatchText() const {
  return IsBlank(Path) ? "PUSHD ." : "PUSHD " + QuoteIfSpaced(OneLine(Path));
}

void TPushdItem::ToEditor(TEditorValues& values) const { values.SetText("edtPath", Path); }

void TPushdItem::FromEditor(const TEditorValues& values) { Path = values.Text("edtPath"); }

// SETLOCAL

void TSetLocalItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.Enum("EnableExtensions", EnableExtensions);
  visitor.Enum("EnableDelayedExpansion", EnableDelayedExpansion);
}

std::string TSetLocalItem::GetHumanReadableText() const {
  return "Begin localization of environment changes in a batch file.";
}

std::string TSetLocalItem::GetBatchText() const {
  static constexpr const char* kExtensions[] = {"", " ENABLEEXTENSIONS", " DISABLEEXTENSIONS"};
  static constexpr const char* kExpansion[] = {"", " ENABLEDELAYEDEXPANSION",
                                               " DISABLEDELAYEDEXPANSION"};
  return std::string("SETLOCAL") + kExtensions[Ordinal(EnableExtensions)] +
         kExpansion[Ordinal(EnableDelayedExpansion)];
}

void TSetLocalItem::ToEditor(TEditorValues& values) const {
  values.SetIndex("cmbEnableExtensions", Ordinal(EnableExtensions));
  values.SetIndex("cmbEnableDelayedExpansion", Ordinal(EnableDelayedExpansion));
}

void TSetLocalItem::FromEditor(const TEditorValues& values) {
  FromIndex(values.Index("cmbEnableExtensions"), EnableExtensions);
  FromIndex(values.Index("cmbEnableDelayedExpansion"), EnableDelayedExpansion);
}

// START

void TStartItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Title", Title);
  visitor.String("DPath", DPath);
  visitor.Boolean("B", B);
  visitor.Boolean("I", I);
  visitor.Enum("MinMax", MinMax);
  visitor.Enum("SeparateShared", SeparateShared);
  visitor.Enum("Priority", Priority);
  visitor.Integer("Node", Node);
  visitor.Boolean("UseNode", UseNode);
  visitor.String("Affinity", Affinity);
  visitor.Boolean("Wait", Wait);
  visitor.String("ExePath", ExePath);
  visitor.String("Params", Params);
}

std::string TStartItem::GetHumanReadableText() const {
  return "Start a separate window to run" +
         (IsBlank(ExePath) ? std::string(" <u>unknown</u> program") : " " + ExePath);
}

std::string TStartItem::GetBatchText() const {
  static constexpr const char* kMinMax[] = {"", " /MIN", " /MAX"};
  static constexpr const char* kSeparateShared[] = {"", " /SEPARATE", " /SHARED"};
  static constexpr const char* kPriority[] = {"",           " /LOW",      " /NORMAL",
                                              " /HIGH",     " /REALTIME", " /ABOVENORMAL",
                                              " /BELOWNORMAL"};
  // The title is always written: START takes a first quoted argument for the title.
  std::string text = "START \"" + OneLine(Title) + "\"";
  if (!IsBlank(DPath)) text += " /D \"" + OneLine(DPath) + "\"";
  if (I) text += " /I";
  text += kMinMax[Ordinal(MinMax)];
  text += kSeparateShared[Ordinal(SeparateShared)];
  text += kPriority[Ordinal(Priority)];
  if (UseNode || Node > 0) text += " /NODE " + IntToStr(Node);
  if (!IsBlank(Affinity)) text += " /AFFINITY " + OneLine(Affinity);
  if (Wait) text += " /WAIT";
  if (B) text += " /B";
  return TrimRight(text + " " + QuoteIfSpaced(OneLine(ExePath)) + " " + OneLine(Params));
}

void TStartItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtExePath", ExePath);
  values.SetText("edtParams", Params);
  values.SetText("edtTitle", Title);
  values.SetText("edtDPath", DPath);
  values.SetChecked("cbxB", B);
  values.SetChecked("cbxI", I);
  values.SetChecked("cbxWait", Wait);
  values.SetIndex("cmbMinMax", Ordinal(MinMax));
  values.SetIndex("cmbPriority", Ordinal(Priority));
  values.SetIndex("cmbSeparateShared", Ordinal(SeparateShared));
  values.SetChecked("cbxNode", UseNode || Node > 0);
  values.SetIndex("sbnNode", Node);
  values.SetText("edtAffinity", Affinity);
}

void TStartItem::FromEditor(const TEditorValues& values) {
  ExePath = values.Text("edtExePath");
  Params = values.Text("edtParams");
  Title = values.Text("edtTitle");
  DPath = values.Text("edtDPath");
  B = values.Checked("cbxB");
  I = values.Checked("cbxI");
  Wait = values.Checked("cbxWait");
  FromIndex(values.Index("cmbMinMax"), MinMax);
  FromIndex(values.Index("cmbPriority"), Priority);
  FromIndex(values.Index("cmbSeparateShared"), SeparateShared);
  UseNode = values.Checked("cbxNode");
  // Without the box no node is chosen: a node left over from before would still
  // write /NODE, since a node above 0 counts as chosen.
  Node = UseNode ? values.Index("sbnNode") : 0;
  Affinity = values.Text("edtAffinity");
}

// CMD

void TCMDItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.Enum("CMDRemainTerminate", CMDRemainTerminate);
  visitor.Enum("CMDOutputEncoding", CMDOutputEncoding);
  visitor.Enum("CMDCommandExtenions", CMDCommandExtenions);
  visitor.Enum("CMDNameCompletion", CMDNameCompletion);
  visitor.Enum("CMDEnvVarExpansion", CMDEnvVarExpansion);
  visitor.Boolean("S", S);
  visitor.Boolean("Q", Q);
  visitor.Boolean("D", D);
  visitor.Byte("TextColor", TextColor);
  visitor.Byte("BGColor", BGColor);
  visitor.Boolean("ExecStr", ExecStr);
  visitor.String("Str", Str);
}

std::string TCMDItem::GetHumanReadableText() const {
  return "Start a new instance of the Windows command interpreter";
}

std::string TCMDItem::GetBatchText() const {
  static constexpr const char* kEncoding[] = {"", " /A", " /U"};
  static constexpr const char* kExtensions[] = {"", " /E:ON", " /E:OFF"};
  static constexpr const char* kCompletion[] = {"", " /F:ON", " /F:OFF"};
  static constexpr const char* kExpansion[] = {"", " /V:ON", " /V:OFF"};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "CMD";
  text += kEncoding[Ordinal(CMDOutputEncoding)];
  if (Q) text += " /Q";
  if (D) text += " /D";
  text += std::string(" /T:") + kHex[BGColor & 0xF] + kHex[TextColor & 0xF];
  text += kExtensions[Ordinal(CMDCommandExtenions)];
  text += kCompletion[Ordinal(CMDNameCompletion)];
  text += kExpansion[Ordinal(CMDEnvVarExpansion)];
  if (ExecStr && !IsBlank(Str)) {
    if (S) text += " /S";
    text += CMDRemainTerminate == TCMDRemainTerminate::stRemain ? " /K" : " /C";
    text += " " + OneLine(Str);
  }
  return text;
}

void TCMDItem::ToEditor(TEditorValues& values) const {
  values.SetIndex("cmbOutputEncoding", Ordinal(CMDOutputEncoding));
  values.SetIndex("cmbTextColor", TextColor);
  values.SetIndex("cmbBGColor", BGColor);
  values.SetIndex("cmbCommandExtensions", Ordinal(CMDCommandExtenions));
  values.SetIndex("cmbNameCompletion", Ordinal(CMDNameCompletion));
  values.SetIndex("cmbEnvVarExpansion", Ordinal(CMDEnvVarExpansion));
  values.SetChecked("cbxQ", Q);
  values.SetChecked("cbxD", D);
  values.SetChecked("cbxExecStr", ExecStr);
  values.SetText("edtStr", Str);
  values.SetChecked("cbxS", S);
  values.SetChecked("rbnTerminate", CMDRemainTerminate == TCMDRemainTerminate::stTerminate);
  values.SetChecked("rbnRemain", CMDRemainTerminate == TCMDRemainTerminate::stRemain);
}

void TCMDItem::FromEditor(const TEditorValues& values) {
  FromIndex(values.Index("cmbOutputEncoding"), CMDOutputEncoding);
  const auto colour = [](int index, uint8_t& value) {
    if (index >= 0 && index <= 15) value = static_cast<uint8_t>(index);
  };
  colour(values.Index("cmbTextColor"), TextColor);
  colour(values.Index("cmbBGColor"), BGColor);
  FromIndex(values.Index("cmbCommandExtensions"), CMDCommandExtenions);
  FromIndex(values.Index("cmbNameCompletion"), CMDNameCompletion);
  FromIndex(values.Index("cmbEnvVarExpansion"), CMDEnvVarExpansion);
  Q = values.Checked("cbxQ");
  D = values.Checked("cbxD");
  ExecStr = values.Checked("cbxExecStr");
  Str = values.Text("edtStr");
  S = values.Checked("cbxS");
  CMDRemainTerminate = values.Checked("rbnTerminate") ? TCMDRemainTerminate::stTerminate
                                                      : TCMDRemainTerminate::stRemain;
}

// Subroutine

void TSubroutineItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
  visitor.String("Descr", Descr);
  visitor.Collection("RunParams", RunParams);
}

std::string TSubroutineItem::GetHumanReadableText() const {
  return "Subroutine: " + OrPlaceholder(Name, "<u>unnamed</u>");
}

std::string TSubroutineItem::GetBatchText() const {
  const std::string dashes = "REM -----------------------";
  TStrings lines{dashes, "REM SUBroutine " + OneLine(Name)};
  if (!IsBlank(Descr)) {
    lines.insert(lines.end(), {dashes, "REM Description:"});
    for (const auto& line : SplitLines(Descr)) lines.push_back("REM " + line);
  }
  if (!RunParams.Empty()) {
    lines.insert(lines.end(), {dashes, "REM Parameters:"});
    for (const TRunParam& entry : RunParams) {
      lines.push_back("REM Name: " + OneLine(entry.Param));
      lines.push_back("REM Description: " + OneLine(entry.Descr));
    }
  }
  lines.push_back("");
  lines.push_back(":" + OneLine(Name));
  // A failed argument check returns from the subroutine with an error.
  if (!RunParams.Empty()) RunParams.GetParamCheckCode(lines, {"EXIT /B 1"}, true);
  return TrimRight(JoinWith(lines, kCrLf));
}

void TSubroutineItem::ToEditor(TEditorValues& values) const {
  values.SetText("edtName", Name);
  values.SetText("memDescr", Descr);
  values.SetRows("vstParams", RunParamRows(RunParams, true));
}

void TSubroutineItem::FromEditor(const TEditorValues& values) {
  Name = values.Text("edtName");
  Descr = values.Text("memDescr");
  RunParamsFromRows(values.Rows("vstParams"), RunParams, true);
}

// Subroutine end

std::string TSubroutineEndItem::GetHumanReadableText() const { return "End of subroutine"; }

std::string TSubroutineEndItem::GetBatchText() const { return "REM End of Subroutine -----"; }

// Dispatcher

void TDispatcherItem::DescribeProperties(PropertyVisitor& visitor) {
  TPersistent::DescribeProperties(visitor);
  visitor.String("Value", Value);
  visitor.String("SubOrLabel", SubOrLabel);
  visitor.String("Parameters", Parameters);
}

void TSubroutineDispatcherItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("VarName", VarName);
  visitor.Collection("Dispatcher", Dispatcher);
}

std::string TSubroutineDispatcherItem::GetHumanReadableText() const {
  return "Check " +
         (IsBlank(VarName) ? std::string("<u>unknown variable</u> ") : "variable " + VarName + " ") +
         "and go to corresponding SUB or LABEL";
}

std::string TSubroutineDispatcherItem::GetBatchText() const {
  TItemList subroutines;
  TItemList labels;
  DoNeedSubroutinesList(subroutines);
  DoNeedLabelsList(labels);
  const auto named = [](const TItemList& items, const std::string& name, bool enabled) {
    for (auto* item : items) {
      const std::string& itemName = item->ClassType().InheritsFrom(TSubroutineItem::Class)
                                        ? static_cast<const TSubroutineItem*>(item)->Name
                                        : static_cast<const TGotoLabelItem*>(item)->Name;
      if (item->Enabled == enabled && SameTextIgnoreCase(itemName, name)) return true;
    }
    return false;
  };

  const std::string var = OneLine(VarName);
  TStrings lines{"REM -------------------------", "REM Subroutine dispatcher based on variable " + var};
  for (const TDispatcherItem& row : Dispatcher) {
    const std::string target = Trim(row.SubOrLabel);
    const std::string value = OneLine(row.Value);
    const std::string test = "IF \"%" + var + "%\"==\"" + value + "\" ";
    if (target.empty()) {
      lines.push_back("REM Left out: value " + value + " has no subroutine or bookmark to go to");
    } else if (named(subroutines, row.SubOrLabel, true)) {
      lines.push_back(TrimRight(test + "CALL :" + OneLine(row.SubOrLabel) + " " + OneLine(row.Parameters)));
    } else if ((named(subroutines, row.SubOrLabel, false) || named(labels, row.SubOrLabel, false)) &&
               !named(labels, row.SubOrLabel, true)) {
      lines.push_back("REM Left out: value " + value + " goes to " + OneLine(row.SubOrLabel) +
                      ", which is disabled");
    } else {
      lines.push_back(TrimRight(test + "GOTO :" + OneLine(row.SubOrLabel)));
    }
  }
  return TrimRight(JoinWith(lines, kCrLf));
}

void TSubroutineDispatcherItem::ToEditor(TEditorValues& values) const {
  TStrings variables;
  DoNeedVarList(variables);
  values.SetChoices("cmbVarName", variables);
  values.SetText("cmbVarName", VarName);

  TItemList subroutines;
  TItemList labels;
  DoNeedSubroutinesList(subroutines);
  DoNeedLabelsList(labels);
  TStrings targets;
  for (auto* item : subroutines) targets.push_back(static_cast<const TSubroutineItem*>(item)->Name);
  for (auto* item : labels) targets.push_back(static_cast<const TGotoLabelItem*>(item)->Name);
  values.SetChoices("vstDispatcher", targets);

  TGridRows rows;
  for (const TDispatcherItem& row : Dispatcher) rows.push_back({row.Value, row.SubOrLabel, row.Parameters});
  values.SetRows("vstDispatcher", std::move(rows));
}

void TSubroutineDispatcherItem::FromEditor(const TEditorValues& values) {
  VarName = values.Text("cmbVarName");
  Dispatcher.Clear();
  for (const TStrings& cells : values.Rows("vstDispatcher")) {
    if (cells.empty() || IsBlank(cells[0])) continue;
    TDispatcherItem& row = Dispatcher.Add();
    row.Value = cells[0];
    row.SubOrLabel = cells.size() > 1 ? cells[1] : std::string();
    row.Parameters = cells.size() > 2 ? cells[2] : std::string();
  }
}

}  // namespace palvetta
