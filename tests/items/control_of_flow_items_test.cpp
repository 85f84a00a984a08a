#include "items/control_of_flow_items.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(GotoLabelItem, Texts) {
  TGotoLabelItem label;
  EXPECT_EQ(label.GetBatchText(), "");
  EXPECT_EQ(label.GetHumanReadableText(), "<u>Unnamed</u> bookmark");
  label.Name = "Done";
  EXPECT_EQ(label.GetBatchText(), ":Done");
  EXPECT_EQ(label.GetHumanReadableText(), "Done");
}

TEST(SubroutineItem, HeaderAndLabelWithoutArguments) {
  TSubroutineItem sub;
  sub.Name = "Backup";
  EXPECT_EQ(sub.GetBatchText(), "REM -----------------------\r\nREM SUBroutine Backup\r\n\r\n:Backup");
  EXPECT_EQ(sub.GetHumanReadableText(), "Subroutine: Backup");
  EXPECT_EQ(TSubroutineItem().GetHumanReadableText(), "Subroutine: <u>unnamed</u>");
}

TEST(SubroutineItem, ChecksItsArgumentsAndFailsWithExitCodeOne) {
  TSubroutineItem sub;
  sub.Name = "Backup";
  sub.Descr = "Copies\r\nfiles";
  TRunParam& target = sub.RunParams.Add();
  target.Param = "Target";
  target.Descr = "where to";
  target.ParamCheck = TParamCheck::pcRequired;
  EXPECT_EQ(sub.GetBatchText(),
            "REM -----------------------\r\nREM SUBroutine Backup\r\n"
            "REM -----------------------\r\nREM Description:\r\nREM Copies\r\nREM files\r\n"
            "REM -----------------------\r\nREM Parameters:\r\nREM Name: Target\r\n"
            "REM Description: where to\r\n\r\n:Backup\r\n"
            "REM Check parameter Target\r\nIF \"%~1\"==\"\" (\r\n"
            "ECHO Parameter Target can not be empty!\r\nEXIT /B 1\r\n)");
}

TEST(SubroutineItem, NamesWithLineBreaksStayOnTheirLines) {
  TSubroutineItem sub;
  sub.Name = "A\r\ndel *";
  TRunParam& arg = sub.RunParams.Add();
  arg.Param = "x\r\ndel *";
  arg.Descr = "y\ndel *";
  for (const auto& line : SplitLines(sub.GetBatchText())) {
    EXPECT_FALSE(line.starts_with("del")) << line;
  }
}

TEST(SubroutineEndItem, Texts) {
  TSubroutineEndItem end;
  EXPECT_EQ(end.GetBatchText(), "REM End of Subroutine -----");
  EXPECT_EQ(end.GetHumanReadableText(), "End of subroutine");
}

}  // namespace
}  // namespace palvetta
