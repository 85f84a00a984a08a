#include "items/misc/misc_items.h"

#include <gtest/gtest.h>

#include "support/item_texts.h"
#include "support/project_files.h"

#include "model/batch_generator.h"
#include "model/project.h"

namespace palvetta {
namespace {

using testing::Make;
using testing::TTextCase;

TEST(MiscItems, BatchAndReadableTexts) {
  const TTextCase cases[] = {
      {Make<TREMItem>([](auto& i) { i.Text = "first\r\nsecond"; }), "REM first\r\nREM second",
       "<i>first<br>second</i>"},
      {Make<TREMItem>([](auto& i) { i.Text = "first\r\nsecond\r\n"; }), "REM first\r\nREM second",
       "<i>first<br>second<br></i>"},
      {Make<TREMItem>([](auto& i) { i.Text = "\r\n\r\n\r\n"; }), "REM \r\nREM \r\nREM ",
       "<i>Comment</i>"},
      {Make<TREMItem>([](auto&) {}), "", "<i>Comment</i>"},
      // A "%~" would stop the batch file even in a comment, a caret at the end would make
      // the next line part of it.
      {Make<TREMItem>([](auto& i) { i.Text = "100% %~ %DATE%\r\nend^"; }),
       "REM 100%% %%~ %DATE%\r\nREM end^^", "<i>100% %~ %DATE%<br>end^</i>"},
      {Make<TParamItem>([](auto& i) { i.Name = "Source"; }), "", "Parameter: Source (optional)"},
      {Make<TParamItem>([](auto& i) { i.ParamCheck = TParamCheck::pcPathMustExist; }), "",
       "<u>Unnamed</u> parameter (required)"},
      {Make<TSetVarValItem>([](auto& i) {
         i.Name = "Dir";
         i.Value = " C:\\x ";
       }),
       "SET Dir= C:\\x ", "Set variable Dir to  C:\\x "},
      {Make<TSetVarValItem>([](auto&) {}), "SET =",
       "Set <u>unnamed variable</u> to <u>empty value</u>"},
      // The value is text: it cannot end the line's command or close an enclosing block.
      {Make<TSetVarValItem>([](auto& i) {
         i.Name = "Title";
         i.Value = "Tom & Jerry (\"R&D\")\r\ndel x";
       }),
       "SET Title=Tom ^& Jerry ^(\"R&D\"^) del x", "Set variable Title to Tom & Jerry (\"R&D\")\r\ndel x"},
      // Name and value are read as one line: the classic quoted form stays as typed, and
      // carets the user typed are not escaped again.
      {Make<TSetVarValItem>([](auto& i) {
         i.Name = "\"Pair";
         i.Value = "a&b\"";
       }),
       "SET \"Pair=a&b\"", "Set variable \"Pair to a&b\""},
      {Make<TSetVarValItem>([](auto& i) {
         i.Name = "Typed";
         i.Value = "a^&b ^^ c^";
       }),
       "SET Typed=a^&b ^^ c^^", "Set variable Typed to a^&b ^^ c^"},
      {Make<TCheckParamsItem>([](auto&) {}), "", "Check required parameters of this batch file"},
      {Make<TVariableItem>([](auto& i) {
         i.Name = "Count";
         i.Descr = " how many\r\nfiles ";
       }),
       "REM Declare a variable: Count\r\nREM Purpose: how many files", "Variable: Count"},
      {Make<TVariableItem>([](auto&) {}), "REM Declare a variable: \r\nREM Purpose: ",
       "Variable: <u>noname</u> "},
  };
  for (const auto& c : cases) {
    const auto item = c.make();
    SCOPED_TRACE(c.readable);
    EXPECT_EQ(item->GetBatchText(), c.batch);
    EXPECT_EQ(item->GetHumanReadableText(), c.readable);
  }
}

TParamItem& AddParam(TProject& project, const std::string& name, TParamCheck check,
                     const std::string& descr = {}) {
  auto& param = project.Add<TParamItem>();
  param.Name = name;
  param.ParamCheck = check;
  param.Descr = descr;
  return param;
}

TEST(CheckParamsItem, WritesChecksAndAUsageHintThatFails) {
  TProject project;
  AddParam(project, "Source", TParamCheck::pcRequired, "What to copy\r\nand more");
  AddParam(project, "Target (folder)", TParamCheck::pcNoCheck, "Where <to>");
  project.Add<TCheckParamsItem>();
  EXPECT_EQ(testing::GenerateBatch(project),
            "@ECHO OFF\r\n"
            "REM Check parameters\r\n"
            "REM Check parameter Source\r\n"
            "IF \"%~1\"==\"\" (\r\n"
            "ECHO Parameter Source can not be empty!\r\n"
            "GOTO :USAGEHINT\r\n"
            ")\r\n"
            "EXIT /B\r\n"
            "REM Usage hint\r\n"
            ":USAGEHINT\r\n"
            "SETLOCAL DISABLEDELAYEDEXPANSION\r\n"
            "ECHO Usage:\r\n"
            "ECHO %~nx0 Source Target ^(folder^)\r\n"
            "ECHO Parameters:\r\n"
            "ECHO Source (required) - What to copy and more\r\n"
            "ECHO Target ^(folder^) (optional) - Where ^<to^>\r\n"
            "EXIT /B 1\r\n");
}

TEST(CheckParamsItem, WritesNothingWithoutChecks) {
  TProject project;
  AddParam(project, "A", TParamCheck::pcNoCheck);
  project.Add<TCheckParamsItem>();
  EXPECT_EQ(testing::GenerateBatch(project), "@ECHO OFF\r\n");
}

TEST(CheckParamsItem, ChecksOnlyTheFirstNineParameters) {
  TProject project;
  for (int i = 1; i <= 9; ++i) AddParam(project, "P" + std::to_string(i), TParamCheck::pcNoCheck);
  AddParam(project, "Tenth", TParamCheck::pcRequired);
  project.Add<TCheckParamsItem>();
  const std::string text = testing::GenerateBatch(project);
  EXPECT_EQ(text.find("Tenth can not be empty"), std::string::npos);
  EXPECT_EQ(text.find(":USAGEHINT"), std::string::npos);
}

TEST(CheckParamsItem, BlankNamesLeaveTheUsageLineEmpty) {
  TProject project;
  AddParam(project, " ", TParamCheck::pcRequired);
  project.Add<TCheckParamsItem>();
  const std::string text = testing::GenerateBatch(project);
  EXPECT_NE(text.find("ECHO Usage:\r\n\r\nECHO Parameters:\r\n"), std::string::npos);
}

}  // namespace
}  // namespace palvetta
