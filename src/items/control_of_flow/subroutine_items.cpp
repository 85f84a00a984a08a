#include "items/control_of_flow/subroutine_items.h"

#include "items/control_of_flow/bookmark_items.h"
#include "items/control_of_flow/run_param_rows.h"
#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

const char* const kCrLf = "\r\n";

constexpr TField kSubroutineFields[] = {
    Text<&TSubroutineItem::Name>("Name", "edtName"),
    Memo<&TSubroutineItem::Descr>("Descr", "memDescr"),
    Grid<&TSubroutineItem::RunParams>("RunParams", "vstParams"),
};
constexpr TField kDispatcherRowFields[] = {
    Text<&TDispatcherItem::Value>("Value"),
    Text<&TDispatcherItem::SubOrLabel>("SubOrLabel"),
    Text<&TDispatcherItem::Parameters>("Parameters"),
};
constexpr TField kDispatcherFields[] = {
    Choice<&TSubroutineDispatcherItem::VarName>("VarName", "cmbVarName"),
    Grid<&TSubroutineDispatcherItem::Dispatcher>("Dispatcher", "vstDispatcher"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TSubroutineItem, TCustomProjectItem, kSubroutineFields);
PALVETTA_DEFINE_CLASS(TSubroutineEndItem, TCustomProjectItem);
PALVETTA_DEFINE_CLASS(TDispatcherItem, TPersistent, kDispatcherRowFields);
PALVETTA_DEFINE_CLASS(TSubroutineDispatcherItem, TCustomProjectItem, kDispatcherFields);

// Subroutine

std::string TSubroutineItem::GetHumanReadableText() const {
  return "Subroutine: " + OrPlaceholder(Name, "<u>unnamed</u>");
}

std::string TSubroutineItem::GetBatchText() const {
  const std::string dashes = "REM -----------------------";
  TStrings lines{dashes, "REM SUBroutine " + CommentText(Name)};
  if (!IsBlank(Descr)) {
    lines.insert(lines.end(), {dashes, "REM Description:"});
    for (const auto& line : SplitLines(Descr)) lines.push_back("REM " + CommentText(line));
  }
  if (!RunParams.Empty()) {
    lines.insert(lines.end(), {dashes, "REM Parameters:"});
    for (const TRunParam& entry : RunParams) {
      lines.push_back("REM Name: " + CommentText(entry.Param));
      lines.push_back("REM Description: " + CommentText(entry.Descr));
    }
  }
  lines.push_back("");
  lines.push_back(":" + CommentText(Name));
  // A failed argument check returns from the subroutine with an error.
  if (!RunParams.Empty()) RunParams.GetParamCheckCode(lines, {"EXIT /B 1"}, true);
  return TrimRight(JoinWith(lines, kCrLf));
}

void TSubroutineItem::SpecialToEditor(TEditorValues& values) const {
  values.SetRows("vstParams", RunParamRows(RunParams, true));
}

void TSubroutineItem::SpecialFromEditor(const TEditorValues& values) {
  RunParamsFromRows(values.Rows("vstParams"), RunParams, true);
}

// Subroutine end

std::string TSubroutineEndItem::GetHumanReadableText() const { return "End of subroutine"; }

std::string TSubroutineEndItem::GetBatchText() const { return "REM End of Subroutine -----"; }

// Dispatcher

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
  // Blanks around a name are no part of it: cmd.exe reads a label without them.
  const auto named = [](const TItemList& items, const std::string& name, bool enabled) {
    for (auto* item : items) {
      if (item->Enabled == enabled && SameTextIgnoreCase(Trim(item->DeclaredName()), name)) return true;
    }
    return false;
  };

  // The variable's name and each value stand between the double quotes of the test, so
  // neither can hold one, and the name no "%"; the parameters are text, escaped like any
  // other.
  const std::string var = VariableName(VarName);
  TStrings lines{"REM -------------------------",
                 "REM Subroutine dispatcher based on variable " + CommentText(var)};
  for (const TDispatcherItem& row : Dispatcher) {
    const std::string target = Trim(row.SubOrLabel);
    const std::string value = EscapeArgumentPercents(PathValue(row.Value));
    const std::string test = "IF \"%" + var + "%\"==\"" + value + "\" ";
    if (target.empty()) {
      lines.push_back("REM Left out: value " + CommentText(row.Value) +
                      " has no subroutine or bookmark to go to");
    } else if (named(subroutines, target, true)) {
      lines.push_back(TrimRight(test + "CALL :" + LabelReference(target) + " " +
                                EscapeBatchSpecials(EscapeArgumentPercents(row.Parameters))));
    } else if ((named(subroutines, target, false) || named(labels, target, false)) &&
               !named(labels, target, true)) {
      lines.push_back("REM Left out: value " + CommentText(row.Value) + " goes to " +
                      CommentText(target) + ", which is disabled");
    } else {
      lines.push_back(TrimRight(test + "GOTO :" + LabelReference(target)));
    }
  }
  return TrimRight(JoinWith(lines, kCrLf));
}

void TSubroutineDispatcherItem::SpecialToEditor(TEditorValues& values) const {
  TStrings variables;
  DoNeedVarList(variables);
  values.SetChoices("cmbVarName", variables);

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

void TSubroutineDispatcherItem::SpecialFromEditor(const TEditorValues& values) {
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
