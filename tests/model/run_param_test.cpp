#include "model/run_param.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

struct Entry {
  const char* name;
  TParamCheck check;
};

TStrings CheckCode(std::initializer_list<Entry> entries, const TStrings& errorLines,
                   bool emptyMayNotExist, bool* wrote = nullptr) {
  TRunParams params;
  for (const auto& e : entries) {
    TRunParam& p = params.Add();
    p.Param = e.name;
    p.ParamCheck = e.check;
  }
  TStrings lines;
  const bool result = params.GetParamCheckCode(lines, errorLines, emptyMayNotExist);
  if (wrote) *wrote = result;
  return lines;
}

TEST(ParamCheckCode, NoChecksWriteNothing) {
  bool wrote = true;
  EXPECT_TRUE(CheckCode({{"A", TParamCheck::pcNoCheck}}, {"EXIT /B"}, false, &wrote).empty());
  EXPECT_FALSE(wrote);
}

TEST(ParamCheckCode, Required) {
  bool wrote = false;
  EXPECT_EQ(CheckCode({{"Source", TParamCheck::pcRequired}}, {"GOTO :USAGEHINT"}, false, &wrote),
            (TStrings{"REM Check parameter Source", "IF \"%~1\"==\"\" (",
                      "ECHO Parameter Source can not be empty!", "GOTO :USAGEHINT", ")"}));
  EXPECT_TRUE(wrote);
}

TEST(ParamCheckCode, PathMustExist) {
  EXPECT_EQ(CheckCode({{"A", TParamCheck::pcNoCheck}, {"Src", TParamCheck::pcPathMustExist}},
                      {"EXIT /B 1"}, false),
            (TStrings{"REM Check parameter Src", "IF \"%~2\"==\"\" (",
                      "ECHO Parameter Src can not be empty!", "EXIT /B 1", ")",
                      "IF NOT EXIST \"%~2\" (", "FOR /F \"delims=\" %%P IN (\"%~2\") DO ECHO Path %%P must exist!", "EXIT /B 1", ")"}));
}

TEST(ParamCheckCode, PathMustNotExist) {
  const auto entries = {Entry{"A", TParamCheck::pcNoCheck}, Entry{"Dst", TParamCheck::pcPathMustNOTExist}};
  EXPECT_EQ(CheckCode(entries, {"EXIT /B 1"}, true),
            (TStrings{"REM Check parameter Dst", "IF NOT \"%~2\"==\"\" IF EXIST \"%~2\" (",
                      "FOR /F \"delims=\" %%P IN (\"%~2\") DO ECHO Path %%P must NOT exist!", "EXIT /B 1", ")"}));
  EXPECT_EQ(CheckCode(entries, {"EXIT /B 1"}, false),
            (TStrings{"REM Check parameter Dst", "IF \"%~2\"==\"\" (",
                      "ECHO Parameter Dst can not be empty!", "EXIT /B 1", ")",
                      "IF EXIST \"%~2\" (", "FOR /F \"delims=\" %%P IN (\"%~2\") DO ECHO Path %%P must NOT exist!", "EXIT /B 1", ")"}));
}

TEST(ParamCheckCode, OnlyNineParametersCanBeChecked) {
  std::vector<Entry> entries(9, Entry{"x", TParamCheck::pcNoCheck});
  entries.push_back({"Tenth", TParamCheck::pcRequired});
  TRunParams params;
  for (const auto& e : entries) {
    TRunParam& p = params.Add();
    p.Param = e.name;
    p.ParamCheck = e.check;
  }
  TStrings lines;
  EXPECT_FALSE(params.GetParamCheckCode(lines, {"EXIT /B"}, false));
  EXPECT_EQ(lines, (TStrings{"REM Parameter Tenth is not checked: only the first nine parameters "
                             "can be read by number"}));
}

TEST(ParamCheckCode, ErrorLinesNameTheParameterAndNamesStayText) {
  EXPECT_EQ(CheckCode({{"Target (folder)", TParamCheck::pcRequired}},
                      {"ECHO %paramname% / %PARAMNAME% / %ParamName%"}, false),
            (TStrings{"REM Check parameter Target (folder)", "IF \"%~1\"==\"\" (",
                      "ECHO Parameter Target ^(folder^) can not be empty!",
                      "ECHO Target (folder) / Target (folder) / Target (folder)", ")"}));
}

// A "%~" would stop the batch file even in a REM line, a lone "%" pair with the next one.
TEST(ParamCheckCode, APercentInTheNameStaysText) {
  EXPECT_EQ(CheckCode({{"a%~ 50%", TParamCheck::pcRequired}}, {"EXIT /B 1"}, false),
            (TStrings{"REM Check parameter a%%~ 50%%", "IF \"%~1\"==\"\" (",
                      "ECHO Parameter a%%~ 50%% can not be empty!", "EXIT /B 1", ")"}));
}

}  // namespace
}  // namespace palvetta
