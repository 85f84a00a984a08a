#include "editors/editor_checks.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/text.h"

namespace palvetta {
namespace {

constexpr int kMaxBatchParameters = 9;  // %1 to %9

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Every byte of a non-ASCII UTF-8 character is above 127, so such characters are refused.
bool IsParameterNameCharacter(char c) {
  return IsAsciiLetterOrDigit(c) || c == ' ' || c == '_' || c == '-' || c == '.';
}

bool IsReservedVariableName(std::string_view name) {
  return std::any_of(ReservedVariableNames.begin(), ReservedVariableNames.end(),
                     [name](std::string_view reserved) { return SameTextAscii(name, reserved); });
}

std::optional<TCheckFailure> NameFailure(std::string message) {
  return TCheckFailure{std::move(message), "edtName"};
}

// Up to three decimal digits with a value below 256, in canonical form.
std::optional<std::string> ExitCodeNumber(std::string_view code) {
  if (code.empty() || code.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : code) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > 255) return std::nullopt;
  return IntToStr(value);
}

// %NAME% with at least one character between the percent signs, none of which would
// end the reference or be taken by cmd.exe as an operator. Bytes of non-ASCII UTF-8
// characters never match these, so such characters pass.
bool IsVariableReference(std::string_view code) {
  if (code.size() <= 2 || code.front() != '%' || code.back() != '%') return false;
  constexpr std::string_view forbidden = " \"%&<>^|";
  return code.substr(1, code.size() - 2).find_first_of(forbidden) == std::string_view::npos;
}

}  // namespace

std::optional<TCheckFailure> CheckParameterName(const TEditorValues& values,
                                                const TEnvironmentLookup& environmentHas) {
  const int number = values.Has("ParamNumber") ? values.Index("ParamNumber") : 0;
  if (number > kMaxBatchParameters) {
    return NameFailure("A batch file can read only nine parameters, %1 to %9, and this is "
                       "Parameter task number " + IntToStr(number) +
                       " of the project. Delete this task, or another Parameter task.");
  }
  const std::string name = Trim(values.Text("edtName"));
  if (name.empty()) return NameFailure("Please enter a name for the parameter.");
  if (!std::all_of(name.begin(), name.end(), IsParameterNameCharacter)) {
    return NameFailure("Use only letters (A to Z), digits, spaces, _, - and . in the name.");
  }
  if (StartsWithAscii(name, "KWJ_")) {
    return NameFailure(
        "Names that start with KWJ_ are used by Palvetta itself. Please choose another name.");
  }
  if (IsReservedVariableName(name) || environmentHas(name)) {
    return NameFailure(name + " is the name of a Windows environment variable: every %" + name +
                       "% in the batch file would become this parameter. "
                       "Please choose another name.");
  }
  return std::nullopt;
}

std::optional<TCheckFailure> CheckExitCode(TEditorValues& values) {
  if (!values.Checked("cbxSetExitCode")) return std::nullopt;
  const std::string code = Trim(values.Text("edtExitCode"));
  if (std::optional<std::string> number = ExitCodeNumber(code)) {
    values.SetText("edtExitCode", std::move(*number));
    return std::nullopt;
  }
  if (IsVariableReference(code)) {
    values.SetText("edtExitCode", code);
    return std::nullopt;
  }
  return TCheckFailure{
      "Type the exit code as a number from 0 to 255, or as a variable such as %ERRORLEVEL%.",
      "edtExitCode"};
}

std::optional<TCheckFailure> CheckForFileName(const TEditorValues& values) {
  if (IsBlank(values.Text("edtFileName"))) {
    return TCheckFailure{"Please enter the name of the file to read.", "edtFileName"};
  }
  return std::nullopt;
}

}  // namespace palvetta
