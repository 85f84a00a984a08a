#include "model/run_param.h"

#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

namespace {
constexpr TField kRunParamFields[] = {
    fields::Text<&TRunParam::Param>("Param"),
    fields::Text<&TRunParam::Descr>("Descr"),
    fields::Enum<&TRunParam::ParamCheck>("ParamCheck"),
};
}  // namespace

PALVETTA_DEFINE_CLASS(TRunParam, TPersistent, kRunParamFields);

bool TRunParams::GetParamCheckCode(TStrings& lines, const TStrings& errorLines,
                                   bool emptyMayNotExist) const {
  bool wroteCheck = false;
  int number = 0;
  for (const TRunParam& entry : *this) {
    ++number;
    if (entry.ParamCheck == TParamCheck::pcNoCheck) continue;
    const std::string name = OneLine(entry.Param);
    // A "%~" in the name would stop the batch file even in a REM line.
    const std::string comment = CommentText(name);
    if (number > 9) {
      lines.push_back("REM Parameter " + comment +
                      " is not checked: only the first nine parameters can be read by number");
      continue;
    }
    const std::string n = IntToStr(number);
    const std::string arg = "\"%~" + n + "\"";
    // The argument is named through a FOR variable, which cmd expands after it has read
    // the block: a ")" or "&" in the argument can neither close the block nor start a
    // command. (Expanded as %n, "a).txt" would end the IF block at its ")".)
    const std::string path = "FOR /F \"delims=\" %%P IN (" + arg + ") DO ECHO Path %%P";
    auto block = [&](const std::string& test, const std::string& message) {
      lines.push_back(test);
      lines.push_back(message);
      for (const auto& line : errorLines) {
        lines.push_back(ReplaceAllIgnoreCase(line, "%PARAMNAME%", name));
      }
      lines.push_back(")");
    };
    lines.push_back("REM Check parameter " + comment);
    const bool mustNotExist = entry.ParamCheck == TParamCheck::pcPathMustNOTExist;
    if (!(mustNotExist && emptyMayNotExist)) {
      block("IF " + arg + "==\"\" (",
            "ECHO Parameter " + EscapeEchoText(name) + " can not be empty!");
    }
    if (entry.ParamCheck == TParamCheck::pcPathMustExist) {
      block("IF NOT EXIST " + arg + " (", path + " must exist!");
    }
    if (mustNotExist) {
      const std::string guard = emptyMayNotExist ? "IF NOT " + arg + "==\"\" " : "";
      block(guard + "IF EXIST " + arg + " (", path + " must NOT exist!");
    }
    wroteCheck = true;
  }
  return wroteCheck;
}

}  // namespace palvetta
