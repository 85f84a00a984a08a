#include "items/control_of_flow/control_of_flow_items.h"

#include <gtest/gtest.h>

#include "support/item_texts.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "support/project_files.h"
#include "support/sample_items.h"

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


// Texts of items that stand on their own, without a project.

using testing::AddRunParam;
using testing::ExpectBatchTexts;
using testing::ExpectTexts;
using testing::Make;
using testing::TTextCase;

TEST(ControlOfFlowItems, BatchAndReadableTexts) {
  const std::string startText = "Start a separate window to run";
  const std::string cmdText = "Start a new instance of the Windows command interpreter";
  const std::string setLocalText = "Begin localization of environment changes in a batch file.";
  const std::string pushdText = "Store the current directory for later use";
  ExpectTexts({
      // Bookmark and GOTO
      {Make<TGotoLabelItem>([](auto& i) { i.Name = " \t "; }), "", "<u>Unnamed</u> bookmark"},
      {Make<TGotoItem>([](auto&) {}), "GOTO :", "Go to <u>unknown bookmark</u>"},
      {Make<TGotoItem>([](auto& i) { i.LabelName = "Done"; }), "GOTO :Done", "Go to Done"},

      // IF blocks: each item writes only its own line; nothing checks the balance.
      {Make<TIfItem>([](auto&) {}), "IF  (", "IF <u>unspecified condition</u>"},
      {Make<TIfItem>([](auto& i) { i.Condition = "NOT EXIST \"C:\\a b\\x.txt\""; }),
       "IF NOT EXIST \"C:\\a b\\x.txt\" (", "IF NOT EXIST \"C:\\a b\\x.txt\""},
      {Make<TElseItem>([](auto&) {}), ") ELSE (", "ELSE"},
      {Make<TIfEndItem>([](auto&) {}), ")", "End of IF (End of ELSE)"},

      // CALL
      {Make<TCallItem>([](auto&) {}), "CALL", "Call external <u>unknown batch file</u>"},
      {Make<TCallItem>([](auto& i) { i.BatchFileName = "job.cmd"; }), "CALL job.cmd",
       "Call external batch file job.cmd"},
      {Make<TCallItem>([](auto& i) {
         i.BatchFileName = "C:\\My Batches\\job.cmd";
         i.BatchFileParams = "one \"two 2\"";
       }),
       "CALL \"C:\\My Batches\\job.cmd\" one \"two 2\"",
       "Call external batch file C:\\My Batches\\job.cmd"},
      {Make<TCallItem>([](auto& i) {
         i.BatchFileName = "R&D.cmd";
         i.BatchFileParams = "x  \t";
       }),
       "CALL \"R&D.cmd\" x", "Call external batch file R&D.cmd"},

      // EXIT
      {Make<TExitItem>([](auto&) {}), "EXIT /B", "Exit this batch file"},
      {Make<TExitItem>([](auto& i) { i.ErrorCode = " \t"; }), "EXIT /B", "Exit this batch file"},
      {Make<TExitItem>([](auto& i) { i.ErrorCode = " 3 "; }), "EXIT /B 3",
       "Exit this batch file with exit code 3"},

      // Run a program
      {Make<TRunProgramItem>([](auto&) {}), "", "Launch <u>unknown program</u>"},
      {Make<TRunProgramItem>([](auto& i) { i.Path = "C:\\Tools\\x.exe"; }), "C:\\Tools\\x.exe",
       "Launch C:\\Tools\\x.exe"},
      {Make<TRunProgramItem>([](auto& i) {
         i.Path = "C:\\My Tools\\x.exe";
         AddRunParam(i.RunParams, "-a", "first switch");
         AddRunParam(i.RunParams, "\"b c\"", "a file", TParamCheck::pcRequired);
       }),
       "\"C:\\My Tools\\x.exe\" -a \"b c\"", "Launch C:\\My Tools\\x.exe"},
      // Entries are joined as stored, an empty one included.
      {Make<TRunProgramItem>([](auto& i) {
         i.Path = "x.exe";
         AddRunParam(i.RunParams, "-a", "");
         AddRunParam(i.RunParams, "", "");
         AddRunParam(i.RunParams, "-b", "");
       }),
       "x.exe -a  -b", "Launch x.exe"},

      // PUSHD / POPD
      {Make<TPushdItem>([](auto&) {}), "PUSHD .", pushdText},
      {Make<TPushdItem>([](auto& i) { i.Path = "  "; }), "PUSHD .", pushdText},
      {Make<TPushdItem>([](auto& i) { i.Path = "D:\\x"; }), "PUSHD D:\\x",
       pushdText + " and switch to directory D:\\x"},
      {Make<TPushdItem>([](auto& i) { i.Path = "C:\\My Dir"; }), "PUSHD \"C:\\My Dir\"",
       pushdText + " and switch to directory C:\\My Dir"},
      {Make<TPopdItem>([](auto&) {}), "POPD", "Restore saved current directory."},

      // SETLOCAL / ENDLOCAL
      {Make<TSetLocalItem>([](auto&) {}), "SETLOCAL", setLocalText},
      {Make<TSetLocalItem>([](auto& i) { i.EnableExtensions = TEnableExtensions::eeEnable; }),
       "SETLOCAL ENABLEEXTENSIONS", setLocalText},
      {Make<TSetLocalItem>([](auto& i) {
         i.EnableDelayedExpansion = TEnableDelayedExpansion::edeEnable;
       }),
       "SETLOCAL ENABLEDELAYEDEXPANSION", setLocalText},
      {Make<TSetLocalItem>([](auto& i) {
         i.EnableExtensions = TEnableExtensions::eeEnable;
         i.EnableDelayedExpansion = TEnableDelayedExpansion::edeDisable;
       }),
       "SETLOCAL ENABLEEXTENSIONS DISABLEDELAYEDEXPANSION", setLocalText},
      {Make<TSetLocalItem>([](auto& i) {
         i.EnableExtensions = TEnableExtensions::eeDisable;
         i.EnableDelayedExpansion = TEnableDelayedExpansion::edeEnable;
       }),
       "SETLOCAL DISABLEEXTENSIONS ENABLEDELAYEDEXPANSION", setLocalText},
      {Make<TEndLocalItem>([](auto&) {}), "ENDLOCAL",
       "End localization of environment changes in a batch file."},

      // START: the title is always written, since START takes a first quoted argument
      // as the title.
      {Make<TStartItem>([](auto&) {}), "START \"\"", startText + " <u>unknown</u> program"},
      {Make<TStartItem>([](auto& i) { i.ExePath = "C:\\My Tools\\x.exe"; }),
       "START \"\" \"C:\\My Tools\\x.exe\"", startText + " C:\\My Tools\\x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Title = "My Title";
         i.DPath = "C:\\Work Dir";
         i.I = true;
         i.MinMax = TStartItemMinMax::mmMin;
         i.SeparateShared = TStartItemSeparateShared::ssSeparate;
         i.Priority = TStartItemPriority::pLOW;
         i.UseNode = true;
         i.Node = 1;
         i.Affinity = "0x3";
         i.Wait = true;
         i.B = true;
         i.ExePath = "tool.exe";
         i.Params = "-x \"y z\"";
       }),
       "START \"My Title\" /D \"C:\\Work Dir\" /I /MIN /SEPARATE /LOW /NODE 1 /AFFINITY 0x3 "
       "/WAIT /B "
       "tool.exe -x \"y z\"",
       startText + " tool.exe"},
      {Make<TStartItem>([](auto& i) {
         i.DPath = "D:\\w";
         i.MinMax = TStartItemMinMax::mmMax;
         i.SeparateShared = TStartItemSeparateShared::ssShared;
         i.Priority = TStartItemPriority::pNORMAL;
         i.ExePath = "x.exe";
       }),
       "START \"\" /D \"D:\\w\" /MAX /SHARED /NORMAL x.exe", startText + " x.exe"},
      // A folder pasted with its own quotes is quoted once.
      {Make<TStartItem>([](auto& i) {
         i.DPath = "\"D:\\My Work\"";
         i.ExePath = "x.exe";
       }),
       "START \"\" /D \"D:\\My Work\" x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Priority = TStartItemPriority::pHIGH;
         i.ExePath = "x.exe";
       }),
       "START \"\" /HIGH x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Priority = TStartItemPriority::pREALTIME;
         i.ExePath = "x.exe";
       }),
       "START \"\" /REALTIME x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Priority = TStartItemPriority::pABOVENORMAL;
         i.ExePath = "x.exe";
       }),
       "START \"\" /ABOVENORMAL x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Priority = TStartItemPriority::pBELOWNORMAL;
         i.ExePath = "x.exe";
       }),
       "START \"\" /BELOWNORMAL x.exe", startText + " x.exe"},
      // A node is written when asked for or when it is positive.
      {Make<TStartItem>([](auto& i) {
         i.Node = 2;
         i.ExePath = "x.exe";
       }),
       "START \"\" /NODE 2 x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.UseNode = true;
         i.ExePath = "x.exe";
       }),
       "START \"\" /NODE 0 x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) {
         i.Node = -1;
         i.DPath = "  ";
         i.Affinity = " \t";
         i.ExePath = "x.exe";
       }),
       "START \"\" x.exe", startText + " x.exe"},
      {Make<TStartItem>([](auto& i) { i.ExePath = "  "; }), "START \"\"",
       startText + " <u>unknown</u> program"},

      // CMD: the colour switch is always written.
      {Make<TCMDItem>([](auto&) {}), "CMD /T:07", cmdText},
      {Make<TCMDItem>([](auto& i) {
         i.CMDOutputEncoding = TCMDOutputEncoding::oeANSI;
         i.Q = true;
         i.D = true;
         i.BGColor = 1;
         i.TextColor = 14;
         i.CMDCommandExtenions = TCMDCommandExtenions::ecEnable;
         i.CMDNameCompletion = TCMDNameCompletion::ncEnable;
         i.CMDEnvVarExpansion = TCMDEnvVarExpansion::veEnable;
         i.ExecStr = true;
         i.S = true;
         i.CMDRemainTerminate = TCMDRemainTerminate::stRemain;
         i.Str = "dir";
       }),
       "CMD /A /Q /D /T:1E /E:ON /F:ON /V:ON /S /K dir", cmdText},
      {Make<TCMDItem>([](auto& i) {
         i.CMDOutputEncoding = TCMDOutputEncoding::oeUnicode;
         i.BGColor = 15;
         i.TextColor = 10;
         i.CMDCommandExtenions = TCMDCommandExtenions::ecDisable;
         i.CMDNameCompletion = TCMDNameCompletion::ncDisable;
         i.CMDEnvVarExpansion = TCMDEnvVarExpansion::veDisable;
         i.ExecStr = true;
         i.Str = "echo hi";
       }),
       "CMD /U /T:FA /E:OFF /F:OFF /V:OFF /C echo hi", cmdText},
      // The command string and its switches only when the string is to run and not blank.
      {Make<TCMDItem>([](auto& i) {
         i.S = true;
         i.CMDRemainTerminate = TCMDRemainTerminate::stRemain;
         i.Str = "dir";
       }),
       "CMD /T:07", cmdText},
      {Make<TCMDItem>([](auto& i) {
         i.ExecStr = true;
         i.S = true;
         i.Str = " \t ";
       }),
       "CMD /T:07", cmdText},

      // Subroutines
      {Make<TSubroutineItem>([](auto&) {}),
       "REM -----------------------\r\nREM SUBroutine \r\n\r\n:",
       "Subroutine: <u>unnamed</u>"},
      // A blank description writes no description block; an argument without a check
      // is listed but not checked. Empty lines inside the header stay.
      {Make<TSubroutineItem>([](auto& i) {
         i.Name = "S";
         i.Descr = " \r\n\t";
         AddRunParam(i.RunParams, "A", "");
       }),
       "REM -----------------------\r\nREM SUBroutine S\r\n"
       "REM -----------------------\r\nREM Parameters:\r\nREM Name: A\r\nREM Description: \r\n"
       "\r\n:S",
       "Subroutine: S"},
      {Make<TSubroutineItem>([](auto& i) {
         i.Name = "Log";
         i.Descr = "Writes a line\r\n\r\nto the log\r\n";
       }),
       "REM -----------------------\r\nREM SUBroutine Log\r\n"
       "REM -----------------------\r\nREM Description:\r\nREM Writes a line\r\nREM \r\n"
       "REM to the log\r\n\r\n:Log",
       "Subroutine: Log"},
      // Every check kind; an empty argument may stand for a path that must not exist.
      // Names in ECHO lines are text: ^ & | < > ( ) outside double quotes get a caret.
      {Make<TSubroutineItem>([](auto& i) {
         i.Name = "Copy";
         i.Descr = "Copies files";
         AddRunParam(i.RunParams, "Source (R&D)", "what", TParamCheck::pcPathMustExist);
         AddRunParam(i.RunParams, "Target", "where", TParamCheck::pcPathMustNOTExist);
         AddRunParam(i.RunParams, "\"My (x)\" & <y>|z", "how", TParamCheck::pcRequired);
         AddRunParam(i.RunParams, "Verbose", "", TParamCheck::pcNoCheck);
       }),
       "REM -----------------------\r\n"
       "REM SUBroutine Copy\r\n"
       "REM -----------------------\r\n"
       "REM Description:\r\n"
       "REM Copies files\r\n"
       "REM -----------------------\r\n"
       "REM Parameters:\r\n"
       "REM Name: Source (R&D)\r\n"
       "REM Description: what\r\n"
       "REM Name: Target\r\n"
       "REM Description: where\r\n"
       "REM Name: \"My (x)\" & <y>|z\r\n"
       "REM Description: how\r\n"
       "REM Name: Verbose\r\n"
       "REM Description: \r\n"
       "\r\n"
       ":Copy\r\n"
       "REM Check parameter Source (R&D)\r\n"
       "IF \"%~1\"==\"\" (\r\n"
       "ECHO Parameter Source ^(R^&D^) can not be empty!\r\n"
       "EXIT /B 1\r\n"
       ")\r\n"
       "IF NOT EXIST \"%~1\" (\r\n"
       "FOR /F \"delims=\" %%P IN (\"%~1\") DO ECHO Path %%P must exist!\r\n"
       "EXIT /B 1\r\n"
       ")\r\n"
       "REM Check parameter Target\r\n"
       "IF NOT \"%~2\"==\"\" IF EXIST \"%~2\" (\r\n"
       "FOR /F \"delims=\" %%P IN (\"%~2\") DO ECHO Path %%P must NOT exist!\r\n"
       "EXIT /B 1\r\n"
       ")\r\n"
       "REM Check parameter \"My (x)\" & <y>|z\r\n"
       "IF \"%~3\"==\"\" (\r\n"
       "ECHO Parameter \"My (x)\" ^& ^<y^>^|z can not be empty!\r\n"
       "EXIT /B 1\r\n"
       ")",
       "Subroutine: Copy"},

      // A dispatcher outside a project finds no subroutine, so a named target is a bookmark.
      {Make<TSubroutineDispatcherItem>([](auto&) {}),
       "REM -------------------------\r\nREM Subroutine dispatcher based on variable",
       "Check <u>unknown variable</u> and go to corresponding SUB or LABEL"},
      {Make<TSubroutineDispatcherItem>([](auto& i) {
         i.VarName = "Mode";
         TDispatcherItem& row = i.Dispatcher.Add();
         row.Value = "b";
         row.SubOrLabel = "Backup";
         row.Parameters = "x";
       }),
       "REM -------------------------\r\nREM Subroutine dispatcher based on variable Mode\r\n"
       "IF \"%Mode%\"==\"b\" GOTO :Backup",
       "Check variable Mode and go to corresponding SUB or LABEL"},
  });
}

TSubroutineItem& AddSubroutine(TProject& project, const std::string& name, bool enabled) {
  auto& sub = project.Add<TSubroutineItem>();
  sub.Name = name;
  sub.Enabled = enabled;
  return sub;
}

TGotoLabelItem& AddBookmark(TProject& project, const std::string& name, bool enabled) {
  auto& label = project.Add<TGotoLabelItem>();
  label.Name = name;
  label.Enabled = enabled;
  return label;
}

// User text in a REM line or a label must not start a line of its own, which cmd.exe
// would run as a command.
TEST(ControlOfFlowItems, UserTextInRemLinesAndLabelsStaysOnItsLine) {
  TProject project;
  AddSubroutine(project, "Old", false);

  auto& label = project.Add<TGotoLabelItem>();
  label.Name = "A\r\nB";
  EXPECT_EQ(label.GetBatchText(), ":A B");

  auto& sub = project.Add<TSubroutineItem>();
  sub.Name = "Sub\ndel *";
  AddRunParam(sub.RunParams, "x\r\ny", "d\re", TParamCheck::pcRequired);
  EXPECT_EQ(sub.GetBatchText(),
            "REM -----------------------\r\nREM SUBroutine Sub del *\r\n"
            "REM -----------------------\r\nREM Parameters:\r\nREM Name: x y\r\n"
            "REM Description: d e\r\n\r\n:Sub del *\r\n"
            "REM Check parameter x y\r\nIF \"%~1\"==\"\" (\r\n"
            "ECHO Parameter x y can not be empty!\r\nEXIT /B 1\r\n)");

  auto& dispatcher = project.Add<TSubroutineDispatcherItem>();
  dispatcher.VarName = "Mo\r\nde";
  TDispatcherItem& blank = dispatcher.Dispatcher.Add();
  blank.Value = "a\nb";
  TDispatcherItem& disabled = dispatcher.Dispatcher.Add();
  disabled.Value = "c\r\nd";
  disabled.SubOrLabel = "Old";
  const TStrings lines = SplitLines(dispatcher.GetBatchText());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "REM Subroutine dispatcher based on variable Mo de");
  EXPECT_EQ(lines[2], "REM Left out: value a b has no subroutine or bookmark to go to");
  EXPECT_EQ(lines[3], "REM Left out: value c d goes to Old, which is disabled");
}

// Dispatcher rows against a project's subroutines and bookmarks.

struct DispatchCase {
  std::string value;
  std::string subOrLabel;
  std::string parameters;
  std::string line;
};

// The fields that are the user's own batch syntax keep it, but on one line and without a
// caret that joins the next line; every other value is quoted or escaped.
TEST(ControlOfFlowItems, HostileValuesNeverStartACommand) {
  ExpectBatchTexts({
      {Make<TCMDItem>([](auto& i) {
         i.ExecStr = true;
         i.Str = "ECHO a & ECHO b\r\nECHO c^";
       }),
       "CMD /T:07 /C ECHO a & ECHO b ECHO c^^"},
      {Make<TCallItem>([](auto& i) {
         i.BatchFileName = "x\" & ECHO INJ & \".cmd";
         i.BatchFileParams = "a\r\nECHO INJ^";
       }),
       "CALL \"x & ECHO INJ & .cmd\" a ECHO INJ^^"},
      {Make<TRunProgramItem>([](auto& i) {
         i.Path = "%~x\"&.exe";
         AddRunParam(i.RunParams, "\"a ^\" b\nc", "");
       }),
       "\"%%~x&.exe\" \"a ^\" b c"},
      {Make<TStartItem>([](auto& i) {
         i.Title = "t\" & ECHO INJ & \"";
         i.DPath = "D:\\w\" & \"x";
         i.Affinity = "0x3&x";
         i.ExePath = "x.exe";
         i.Params = "-a\r\n-b^";
       }),
       "START \"t & ECHO INJ & \" /D \"D:\\w & x\" /AFFINITY \"0x3&x\" x.exe -a -b^^"},
      {Make<TExitItem>([](auto& i) { i.ErrorCode = "1 & ECHO INJ>canary"; }),
       "EXIT /B 1 ^& ECHO INJ^>canary"},
      {Make<TGotoItem>([](auto& i) { i.LabelName = "x & ECHO INJ %~"; }), "GOTO :x ^& ECHO INJ %%~"},
      {Make<TGotoLabelItem>([](auto& i) { i.Name = "a%~b^"; }), ":a%%~b^^"},
      // A "%" in the variable's name would end the test's reference early.
      {Make<TSubroutineDispatcherItem>([](auto& i) {
         i.VarName = "Mode 50% & %~x";
         TDispatcherItem& row = i.Dispatcher.Add();
         row.Value = "b";
         row.SubOrLabel = "S";
       }),
       "REM -------------------------\r\nREM Subroutine dispatcher based on variable Mode 50 & ~x\r\n"
       "IF \"%Mode 50 & ~x%\"==\"b\" GOTO :S"},
  });
}

TEST(SubroutineDispatcherItem, ChoosesCallGotoOrLeftOutPerRow) {
  TProject project;
  AddSubroutine(project, "Backup", true);
  AddSubroutine(project, "Old", false);
  AddBookmark(project, "Done", true);
  AddBookmark(project, "Skipped", false);
  AddSubroutine(project, "Both", false);  // a disabled subroutine beside an enabled bookmark
  AddBookmark(project, "both", true);
  AddSubroutine(project, "Twin", true);  // an enabled subroutine wins over the bookmark
  AddBookmark(project, "Twin", true);
  AddSubroutine(project, "Mixed", false);  // only disabled items of either kind
  AddBookmark(project, "Mixed", false);
  AddSubroutine(project, "Again", false);  // one enabled subroutine of the name suffices
  AddSubroutine(project, "again", true);

  const DispatchCase cases[] = {
      {"b", "backup", "C:\\x 1", "IF \"%Mode%\"==\"b\" CALL :backup C:\\x 1"},
      {"c", "Backup", "", "IF \"%Mode%\"==\"c\" CALL :Backup"},
      {"t", "Twin", "p \t ", "IF \"%Mode%\"==\"t\" CALL :Twin p"},
      {"a", "AGAIN", "", "IF \"%Mode%\"==\"a\" CALL :AGAIN"},
      {"o", "Old", "x", "REM Left out: value o goes to Old, which is disabled"},
      {"s", "skipped", "", "REM Left out: value s goes to skipped, which is disabled"},
      {"m", "Mixed", "", "REM Left out: value m goes to Mixed, which is disabled"},
      {"d", "Done", "ignored", "IF \"%Mode%\"==\"d\" GOTO :Done"},
      {"x", "Both", "p", "IF \"%Mode%\"==\"x\" GOTO :Both"},
      {"n", "Nowhere", "p", "IF \"%Mode%\"==\"n\" GOTO :Nowhere"},
      {"Two Words", "Done", "", "IF \"%Mode%\"==\"Two Words\" GOTO :Done"},
      {"e", " \t ", "p", "REM Left out: value e has no subroutine or bookmark to go to"},
      // Stray blanks around the target are no part of it: still a CALL, not a GOTO.
      {"bl", " Backup  ", "", "IF \"%Mode%\"==\"bl\" CALL :Backup"},
      {"ol", "Old ", "", "REM Left out: value ol goes to Old, which is disabled"},
      {"", "", "", "REM Left out: value  has no subroutine or bookmark to go to"},
      // A value stands in the test's quotes, which it cannot end; the parameters and the
      // target are escaped, so neither can start a command or close a block.
      {"v\" & ECHO INJ & \"", "Backup", "a&b %~ c)", "IF \"%Mode%\"==\"v & ECHO INJ &\" CALL :Backup a^&b %%~ c^)"},
      {"w\r\nECHO INJ", "N&x", "", "IF \"%Mode%\"==\"w ECHO INJ\" GOTO :N^&x"},
      {"50%", "Done", "", "IF \"%Mode%\"==\"50%%\" GOTO :Done"},
      {"%~", "", "", "REM Left out: value %%~ has no subroutine or bookmark to go to"},
  };
  const std::string header =
      "REM -------------------------\r\nREM Subroutine dispatcher based on variable Mode";

  auto& all = project.Add<TSubroutineDispatcherItem>();
  all.VarName = "Mode";
  std::string allText = header;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto& single = project.Add<TSubroutineDispatcherItem>();
    single.VarName = "Mode";
    for (auto* dispatcher : {&single, &all}) {
      TDispatcherItem& row = dispatcher->Dispatcher.Add();
      row.Value = c.value;
      row.SubOrLabel = c.subOrLabel;
      row.Parameters = c.parameters;
    }
    EXPECT_EQ(single.GetBatchText(), header + "\r\n" + c.line);
    allText += "\r\n" + c.line;
  }
  // Rows keep their order, and no line keeps a trailing blank.
  EXPECT_EQ(all.GetBatchText(), allText);
  EXPECT_EQ(all.GetHumanReadableText(), "Check variable Mode and go to corresponding SUB or LABEL");
}

// The items with the generator.

TEST(ControlOfFlowItems, BlockLinesAndLabelsTakeNoRedirection) {
  TProject project;
  auto redirect = [](TCustomProjectItem& item) -> TCustomProjectItem& {
    item.RedirectTo = "log.txt";
    return item;
  };
  static_cast<TGotoLabelItem&>(redirect(project.Add<TGotoLabelItem>())).Name = "Top";
  static_cast<TIfItem&>(redirect(project.Add<TIfItem>())).Condition = "x==y";
  static_cast<TExitItem&>(redirect(project.Add<TExitItem>())).ErrorCode = "2";
  redirect(project.Add<TElseItem>());
  redirect(project.Add<TPopdItem>());
  redirect(project.Add<TIfEndItem>());
  EXPECT_EQ(testing::GenerateBatch(project),
            "@ECHO OFF\r\n:Top\r\nIF x==y (\r\nEXIT /B 2 >> log.txt\r\n) ELSE (\r\n"
            "POPD >> log.txt\r\n)\r\n");
}

TEST(ControlOfFlowItems, DisabledItemsWriteNothing) {
  TProject project;
  project.Add<TGotoLabelItem>().Name = "L";
  project.Add<TGotoItem>().LabelName = "L";
  project.Add<TIfItem>().Condition = "1==1";
  project.Add<TElseItem>();
  project.Add<TIfEndItem>();
  project.Add<TCallItem>().BatchFileName = "b.cmd";
  project.Add<TExitItem>().ErrorCode = "1";
  project.Add<TRunProgramItem>().Path = "x.exe";
  project.Add<TPushdItem>().Path = "C:\\";
  project.Add<TPopdItem>();
  project.Add<TSetLocalItem>();
  project.Add<TEndLocalItem>();
  project.Add<TStartItem>().ExePath = "x.exe";
  project.Add<TCMDItem>();
  auto& dispatcher = project.Add<TSubroutineDispatcherItem>();
  dispatcher.VarName = "V";
  dispatcher.Dispatcher.Add().SubOrLabel = "S";
  project.Add<TSubroutineItem>().Name = "S";
  project.Add<TSubroutineEndItem>();
  project.Add<TSubroutineEndItem>();  // one that closes no subroutine
  for (int i = 0; i < project.Count(); ++i) project.Items(i).Enabled = false;
  EXPECT_EQ(testing::GenerateBatch(project), "@ECHO OFF\r\n");
}

}  // namespace
}  // namespace palvetta
