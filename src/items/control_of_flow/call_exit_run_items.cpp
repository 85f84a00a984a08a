#include "items/control_of_flow/call_exit_run_items.h"

#include "items/control_of_flow/run_param_rows.h"
#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

using namespace fields;

constexpr TField kCallFields[] = {
    Text<&TCallItem::BatchFileName>("BatchFileName", "edtBatchFileName"),
    Text<&TCallItem::BatchFileParams>("BatchFileParams", "edtBatchFileParams"),
};
// The code goes into the dialog trimmed, and only with its check box.
constexpr TField kExitFields[] = {
    Text<&TExitItem::ErrorCode>("ErrorCode", "edtExitCode").ByCode(),
    Control(TFieldKind::fkFlag, "cbxSetExitCode"),
};
constexpr TField kRunProgramFields[] = {
    Text<&TRunProgramItem::Path>("Path", "edtPath"),
    Grid<&TRunProgramItem::RunParams>("RunParams", "vstParams"),
};

}  // namespace

PALVETTA_DEFINE_CLASS(TCallItem, TCustomProjectItem, kCallFields);
PALVETTA_DEFINE_CLASS(TExitItem, TCustomProjectItem, kExitFields);
PALVETTA_DEFINE_CLASS(TRunProgramItem, TCustomProjectItem, kRunProgramFields);

// CALL

std::string TCallItem::GetHumanReadableText() const {
  return "Call external " +
         (IsBlank(BatchFileName) ? std::string("<u>unknown batch file</u>")
                                 : "batch file " + BatchFileName);
}

std::string TCallItem::GetBatchText() const {
  return TrimRight("CALL " + QuoteIfSpaced(BatchFileName) + " " + UserBatchSyntax(BatchFileParams));
}

// EXIT

std::string TExitItem::GetHumanReadableText() const {
  const std::string code = Trim(ErrorCode);
  return "Exit this batch file" + (code.empty() ? std::string() : " with exit code " + code);
}

std::string TExitItem::GetBatchText() const {
  const std::string code = Trim(OneLine(ErrorCode));
  return code.empty() ? "EXIT /B" : "EXIT /B " + EscapeBatchSpecials(EscapeArgumentPercents(code));
}

void TExitItem::SpecialToEditor(TEditorValues& values) const {
  values.SetChecked("cbxSetExitCode", !IsBlank(ErrorCode));
  values.SetText("edtExitCode", Trim(ErrorCode));
}

void TExitItem::SpecialFromEditor(const TEditorValues& values) {
  ErrorCode = values.Checked("cbxSetExitCode") ? Trim(values.Text("edtExitCode")) : std::string();
}

// Run program

std::string TRunProgramItem::GetHumanReadableText() const {
  return "Launch " + OrPlaceholder(Path, "<u>unknown program</u>");
}

std::string TRunProgramItem::GetBatchText() const {
  TStrings params;
  for (const TRunParam& entry : RunParams) params.push_back(UserBatchSyntax(entry.Param));
  return TrimRight(QuoteIfSpaced(Path) + " " + JoinWith(params, " "));
}

// The grid shows no checks: a program's arguments are not checked.
void TRunProgramItem::SpecialToEditor(TEditorValues& values) const {
  values.SetRows("vstParams", RunParamRows(RunParams, false));
}

void TRunProgramItem::SpecialFromEditor(const TEditorValues& values) {
  RunParamsFromRows(values.Rows("vstParams"), RunParams, false);
}

}  // namespace palvetta
