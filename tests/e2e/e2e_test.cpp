// Generated batch files run in cmd.exe: what they print, the files they write and the
// exit codes they end with. Each test builds a project, writes its batch file into a
// fresh temporary folder and runs it through TBatchRunner.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/wide.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "model/system_items.h"
#include "support/batch_runner.h"
#include "support/temp_folder.h"
#include "support/test_items.h"
#include "e2e_support.h"

namespace palvetta::e2e {
namespace {

using palvetta::testing::TTestCommandItem;

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Projects of test commands and parameters.
class CommandBatch : public GeneratedBatch {
 protected:
  TTestCommandItem& Command(const std::string& text) {
    auto& item = Project.Add<TTestCommandItem>();
    item.Text = text;
    return item;
  }

  TParamItem& Param(const std::string& name, TParamCheck check = TParamCheck::pcNoCheck,
                    const std::string& descr = {}) {
    auto& item = Project.Add<TParamItem>();
    item.Name = name;
    item.ParamCheck = check;
    item.Descr = descr;
    return item;
  }
};

// Parameter items are numbered in project order, not by name, and an item that names
// them gets what the batch file was called with, exactly as cmd.exe hands it over.
TEST_F(CommandBatch, ParametersBecomeTheBatchArgumentsInProjectOrder) {
  Param("Zeta");
  Param("Alpha");
  Param("Mid");
  Command("ECHO Zeta=[%Zeta%] Alpha=[%ALPHA%] Mid=[%mid%] again=[%Zeta%]");

  struct Case {
    std::vector<std::string> arguments;
    std::string printed;
  };
  const Case cases[] = {
      {{"one", "two", "three"}, "Zeta=[one] Alpha=[two] Mid=[three] again=[one]"},
      {{"only"}, "Zeta=[only] Alpha=[] Mid=[] again=[only]"},
      {{"a b", "", "c"}, "Zeta=[\"a b\"] Alpha=[\"\"] Mid=[c] again=[\"a b\"]"},
      {{"1", "2", "3", "4"}, "Zeta=[1] Alpha=[2] Mid=[3] again=[1]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printed);
    const TBatchResult result = Run(c.arguments);
    EXPECT_EQ(SplitOutput(result.Output), Lines{c.printed});
    EXPECT_EQ(result.ExitCode, 0u);
  }
}

TEST_F(CommandBatch, MissingRequiredParameterShowsUsageAndFails) {
  Param("Source", TParamCheck::pcRequired, "what to copy");
  Param("Target", TParamCheck::pcNoCheck, "where to copy it");
  Project.Add<TCheckParamsItem>();
  Command("ECHO copying %Source% to [%Target%]");

  const TBatchResult missing = Run();
  EXPECT_EQ(SplitOutput(missing.Output),
            (Lines{"Parameter Source can not be empty!", "Usage:", "job.bat Source Target",
                   "Parameters:", "Source (required) - what to copy",
                   "Target (optional) - where to copy it"}));
  EXPECT_EQ(missing.ExitCode, 1u);

  // The optional one may be left out; the check lets the batch file run on.
  for (const auto& arguments :
       {std::vector<std::string>{"in.txt"}, std::vector<std::string>{"in.txt", "out"}}) {
    const TBatchResult given = Run(arguments);
    const std::string target = arguments.size() > 1 ? arguments[1] : "";
    EXPECT_EQ(SplitOutput(given.Output), Lines{"copying in.txt to [" + target + "]"});
    EXPECT_EQ(given.ExitCode, 0u);
  }
}

// Inside a subroutine %1 is the subroutine's own argument, so the batch file's
// parameter has to come from the copy made at the top.
TEST_F(CommandBatch, SubroutineReadsTheBatchParameterThroughItsCopy) {
  Param("Source");
  Command("CALL :Show decoy");
  auto& sub = Project.Add<TSubroutineItem>();
  sub.Name = "Show";
  Command("ECHO sub sees [%Source%], its own argument is [%1]");
  Project.Add<TSubroutineEndItem>();
  Command("ECHO main sees [%Source%]");

  const TBatchResult result = Run({"abc"});
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"sub sees [abc], its own argument is [decoy]", "main sees [abc]"}));
  EXPECT_EQ(result.ExitCode, 0u);
}

TEST_F(CommandBatch, RedirectionOverwritesWithTheFirstLineAndAppendsTheRest) {
  const fs::path log = Temp.Folder(L"out dir") / L"log file.txt";
  WriteFileReplacing(log, "old content\r\n");
  auto& item = Command("ECHO first\r\nECHO second\r\nECHO third");
  item.RedirectTo = PathToUtf8(log);
  item.Overwrite = true;
  Command("ECHO not redirected");

  // The second run proves that the first line replaces what the first run wrote.
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const TBatchResult result = Run();
    EXPECT_EQ(SplitOutput(result.Output), Lines{"not redirected"});
    EXPECT_EQ(result.ExitCode, 0u);
    Lines written = SplitOutput(ReadFileBytes(log));
    // The line is written as "ECHO first > file", and cmd.exe keeps the blank in
    // front of ">" as part of the echoed text.
    for (auto& line : written) line.erase(line.find_last_not_of(' ') + 1);
    EXPECT_EQ(written, (Lines{"first", "second", "third"}));
  }
}

// A parameter name with ( ) and a description with & are printed as text: an
// unescaped ")" would close the IF block early and "&" would start a second command,
// both of which change the output.
TEST_F(CommandBatch, BatchSpecialsInParameterNamesStayText) {
  Param("Target (folder)", TParamCheck::pcRequired, "where it goes & ECHO STRAY");
  Project.Add<TCheckParamsItem>();
  Command("ECHO target is %Target (folder)%");

  const TBatchResult missing = Run();
  EXPECT_EQ(
      SplitOutput(missing.Output),
      (Lines{"Parameter Target (folder) can not be empty!", "Usage:", "job.bat Target (folder)",
             "Parameters:", "Target (folder) (required) - where it goes & ECHO STRAY"}));
  EXPECT_EQ(missing.ExitCode, 1u);

  const TBatchResult given = Run({"out"});
  EXPECT_EQ(SplitOutput(given.Output), Lines{"target is out"});
  EXPECT_EQ(given.ExitCode, 0u);
}

// An argument is data: a ")" in it must not close the check's block, an "&" must not
// start a command, and the message names the argument as given.
TEST_F(CommandBatch, ArgumentsCannotBreakTheParameterChecks) {
  Param("File", TParamCheck::pcPathMustExist, "input file");
  Project.Add<TCheckParamsItem>();
  Command("ECHO using [%File%]");
  std::ofstream(Temp.Path() / "a(1).txt", std::ios::binary) << "x";
  const Lines usage{"Usage:", "job.bat File", "Parameters:", "File (required) - input file"};

  struct Case {
    std::string argument;
    Lines printed;
    unsigned exitCode;
  };
  Lines missing{"Path a).txt must exist!"};
  missing.insert(missing.end(), usage.begin(), usage.end());
  Lines stray{"Path b & ECHO STRAY must exist!"};
  stray.insert(stray.end(), usage.begin(), usage.end());
  const Case cases[] = {
      {"a).txt", missing, 1},
      {"b & ECHO STRAY", stray, 1},
      // The runner quotes an argument holding "(", and %1 is the argument as given.
      {"a(1).txt", Lines{"using [\"a(1).txt\"]"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    const TBatchResult result = Run({c.argument});
    EXPECT_EQ(SplitOutput(result.Output), c.printed);
    EXPECT_EQ(result.ExitCode, c.exitCode);
  }
}

// Texts the user typed reach cmd.exe as the user meant them: SET's classic quoted form
// and its own carets, percent signs in a description, a FOR file pasted with its quotes.
TEST_F(CommandBatch, TypedTextArrivesAsMeant) {
  auto set = [&](const std::string& name, const std::string& value) {
    auto& item = Project.Add<TSetVarValItem>();
    item.Name = name;
    item.Value = value;
  };
  set("\"Pair", "a&b\"");
  set("Typed", "c^&d");
  set("Plain", "Tom & Jerry");
  Command("SET Pair");
  Command("SET Typed");
  Command("SET Plain");
  std::ofstream(Temp.Path() / "my list.txt", std::ios::binary) << "one\r\ntwo\r\n";
  Project.Add<TFOREachLineInFile>().FileName = "\"my list.txt\"";
  Command("ECHO [%%L]");
  Project.Add<TFOREndItem>();
  Param("Target", TParamCheck::pcRequired, "100% sure, %1 & more");
  Project.Add<TCheckParamsItem>();

  const TBatchResult result = Run();
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"Pair=a&b", "Typed=c&d", "Plain=Tom & Jerry", "[one]", "[two]",
                   "Parameter Target can not be empty!", "Usage:", "job.bat Target", "Parameters:",
                   "Target (required) - 100% sure, %1 & more"}));
  EXPECT_EQ(result.ExitCode, 1u);
}

// After a SETLOCAL item that enables delayed expansion, cmd.exe would eat the "!" of a
// description; the usage hint switches it off and prints the text as typed.
TEST_F(CommandBatch, TheUsageHintPrintsExclamationMarksWithDelayedExpansionOn) {
  Project.Add<TSetLocalItem>().EnableDelayedExpansion = TEnableDelayedExpansion::edeEnable;
  Command("SET X=1");
  Command("ECHO delayed !X!");
  Param("Target", TParamCheck::pcRequired, "Wow! x!y");
  Project.Add<TCheckParamsItem>();

  const TBatchResult result = Run();
  const Lines lines = SplitOutput(result.Output);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), "delayed 1");
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
            (Lines{"job.bat Target", "Parameters:", "Target (required) - Wow! x!y"}));
  EXPECT_EQ(result.ExitCode, 1u);
}

// cmd.exe reads the batch file in the OEM code page: a folder named with a character
// outside ASCII is found only when the file is written in that code page.
TEST_F(CommandBatch, PathsWithCharactersOutsideAsciiReachCmdAsTyped) {
  const fs::path folder = Temp.Path() / PathFromUtf8("B\xC3\xBCro");
  fs::create_directories(folder);
  std::ofstream(folder / "x.txt", std::ios::binary) << "inside\r\n";
  Command("IF EXIST \"B\xC3\xBCro\\x.txt\" (ECHO found) ELSE (ECHO missing)");
  Command("TYPE \"B\xC3\xBCro\\x.txt\"");

  const TBatchResult result = Run();
  EXPECT_EQ(SplitOutput(result.Output), (Lines{"found", "inside"}));
  EXPECT_EQ(result.ExitCode, 0u);
}

// "," ";" and "=" split arguments for cmd.exe like blanks: unquoted, the redirection
// would write into "o" and CALL would look for "a".
TEST_F(CommandBatch, PathsWithCmdSeparatorsStayOnePath) {
  fs::create_directories(Temp.Path() / "a,b");
  std::ofstream(Temp.Path() / "a,b" / "t;=.bat", std::ios::binary) << "@ECHO called\r\n";
  Command("ECHO x").RedirectTo = "o,p.txt";
  auto& call = Project.Add<TCallItem>();
  call.BatchFileName = "a,b\\t;=.bat";

  const TBatchResult result = Run();
  EXPECT_EQ(SplitOutput(result.Output), Lines{"called"});
  EXPECT_EQ(ReadFileBytes(Temp.Path() / "o,p.txt"), "x \r\n");
  EXPECT_FALSE(fs::exists(Temp.Path() / "o"));
}

TEST_F(CommandBatch, SevenZipLocatorFindsSevenZipOnAPathFolderWithABlank) {
  const fs::path tools = Temp.Folder(L"my tools (x64)");
  fs::copy_file(ArgEcho(), tools / L"7z.exe");
  Runner.PathPrepend = {tools};
  auto& item = Command("\"%KWJ_7Z%\" a archive.7z file.txt");
  item.RequestedBlock = &TSys7Zip::Class;
  Command("ECHO KWJ_7Z=%KWJ_7Z%");

  const TBatchResult result = Run();
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"argecho name=[7z.exe]", "argecho argc=3", "argecho arg1=[a]",
                   "argecho arg2=[archive.7z]", "argecho arg3=[file.txt]",
                   "KWJ_7Z=" + Narrow((tools / L"7z.exe").wstring())}));
  EXPECT_EQ(result.ExitCode, 0u);
}

TEST_F(CommandBatch, SevenZipLocatorSaysSoWhenSevenZipIsMissing) {
  auto& item = Command("ECHO KWJ_7Z=%KWJ_7Z%");
  item.RequestedBlock = &TSys7Zip::Class;

  const TBatchResult result = Run();
  EXPECT_EQ(
      SplitOutput(result.Output),
      (Lines{"7-Zip was not found. Install it from https://www.7-zip.org/", "KWJ_7Z=7z.exe"}));
}

// The date-order block reads the first letter of the user's short date pattern. A
// KWJ_DATEFMT left in the environment must not count when the pattern cannot be read.
TEST_F(CommandBatch, DateOrderFollowsTheShortDatePattern) {
  const fs::path tools = Temp.Folder(L"tools");
  fs::copy_file(FindStandIn(), tools / L"find.exe");
  Runner.PathPrepend = {tools};
  Command("ECHO order=%KWJ_DATEORDER%").RequestedBlock = &TSysDateOrder::Class;
  ShortDatePattern pattern;
  SetEnvironmentVariableW(L"KWJ_DATEFMT", L"dd.MM.yy stale");
  struct Case {
    const wchar_t* pattern;  // nullptr: no pattern at all
    const char* order;
  };
  const Case cases[] = {
      {L"M/d/yyyy", "order=M"},
      {L"dd.MM.yyyy", "order=d"},
      {L"yyyy-MM-dd", "order=y"},
      {L"MMM d yy", "order=M"},
      {nullptr, "order=M"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    if (c.pattern) {
      pattern.Set(c.pattern);
    } else {
      pattern.Remove();
    }
    const TBatchResult result = Run();
    EXPECT_EQ(SplitOutput(result.Output), Lines{c.order});
  }
  SetEnvironmentVariableW(L"KWJ_DATEFMT", nullptr);
}

// Both branches of an IF / ELSE block, chosen by the parameter, and an IF block without
// ELSE that only an empty parameter enters.
TEST_F(ProjectFileBatch, IfElseBlocksTakeTheBranchTheConditionChooses) {
  ASSERT_NO_FATAL_FAILURE(Generate("if_else.kwj"));
  ExpectRuns({
      {{"fast"}, {"going fast", "after the blocks"}, 0},
      {{"slow"}, {"going slow, mode [slow]", "after the blocks"}, 0},
      {{}, {"going slow, mode []", "no mode given", "after the blocks"}, 0},
  });
}

TEST_F(ProjectFileBatch, GotoJumpsOverACommandToTheBookmark) {
  ASSERT_NO_FATAL_FAILURE(Generate("goto.kwj"));
  ExpectRuns({{{}, {"before the jump", "after the bookmark"}, 0}});
}

TEST_F(ProjectFileBatch, ExitWithACodeEndsTheBatchFileWithThatCode) {
  ASSERT_NO_FATAL_FAILURE(Generate("exit_code.kwj"));
  ExpectRuns({{{}, {"before the exit"}, 3}});
}

// The called batch file is made from a second project file. Its parameters arrive as
// the caller passed them, and after it returns the caller goes on, seeing its exit
// code; the caller's EXIT /B without a code hands that code on.
TEST_F(ProjectFileBatch, CallRunsAnotherBatchFileAndComesBack) {
  ASSERT_NO_FATAL_FAILURE(Generate("call_called.kwj", L"called batch.bat"));
  ASSERT_NO_FATAL_FAILURE(Generate("call_caller.kwj"));
  const std::string seen = UnderWine() ? "1" : "4";
  ExpectRuns({
      {{"Ada"},
       {"called with [Ada] [\"two words\"]", "back in the caller, errorlevel [" + seen + "]"},
       UnderWine() ? 0ul : 4ul},
  });
}

// PUSHD keeps a stack: two pushes into folders whose names need quotes, two pops back
// in reverse order.
TEST_F(ProjectFileBatch, PushdAndPopdChangeFoldersAndComeBack) {
  const fs::path first = Temp.Folder(L"my folder");
  const fs::path second = Temp.Folder(L"my folder\\level (2)");
  ASSERT_NO_FATAL_FAILURE(Generate("pushd_popd.kwj"));
  const std::string start = Narrow(Temp.Path().wstring());
  ExpectRuns({{{},
               {"start [" + start + "]", "first push [" + Narrow(first.wstring()) + "]",
                "second push [" + Narrow(second.wstring()) + "]",
                "first pop [" + Narrow(first.wstring()) + "]", "second pop [" + start + "]"},
               0}});
}

TEST_F(ProjectFileBatch, EndlocalUndoesWhatWasSetAfterSetlocal) {
  ASSERT_NO_FATAL_FAILURE(Generate("setlocal.kwj"));
  ExpectRuns({{{},
               {"before [red]", "in the block [blue] [green]", "localized [green]",
                "after [red]"},
               0}});
}

// Without /WAIT, START returns at once with errorlevel 0; the 7 shows it waited for the
// started cmd.exe. The CMD item's command holds "&", which only the quotes keep from
// ending the CMD line in the calling batch file.
TEST_F(ProjectFileBatch, StartWaitAndCmdSlashCHandOnTheExitCodes) {
  ASSERT_NO_FATAL_FAILURE(Generate("start_cmd.kwj"));
  ExpectRuns({{{},
               {"START /WAIT gave [7]", "printed by the second cmd.exe", "CMD /C gave [5]"},
               0}});
}

// The dispatcher row passes the batch file's parameter to the subroutine. Left out, the
// subroutine's own check stops it before its body and it returns 1; the main part's
// closing EXIT /B keeps that errorlevel.
TEST_F(ProjectFileBatch, SubroutineChecksItsRequiredArgument) {
  ASSERT_NO_FATAL_FAILURE(Generate("subroutine.kwj"));
  ExpectRuns({
      {{"Ada"}, {"Hello, [Ada]", "Greet returned [0]"}, 0},
      {{}, {"Parameter Whom can not be empty!", "Greet returned [1]"}, UnderWine() ? 0ul : 1ul},
  });
}

TEST_F(ProjectFileBatch, DispatcherGoesWhereTheValueSays) {
  ASSERT_NO_FATAL_FAILURE(Generate("dispatcher.kwj"));
  const Lines fellThrough{"after the dispatcher", "finished"};
  ExpectRuns({
      {{"copy"}, {"DoCopy got [\"a b\"] [c]", "after the dispatcher", "finished"}, 0},
      // The row names the subroutine in other letter case.
      {{"list"}, {"DoList ran", "after the dispatcher", "finished"}, 0},
      // Two rows with the same value run in row order.
      {{"both"}, {"DoList ran", "DoCopy got [second] []", "after the dispatcher", "finished"}, 0},
      // A bookmark row jumps, and does not come back.
      {{"quit"}, {"finished"}, 0},
      // A disabled subroutine and an empty target write no jump at all.
      {{"old"}, fellThrough, 0},
      {{"none"}, fellThrough, 0},
      // The comparison is exact.
      {{"COPY"}, fellThrough, 0},
      {{"cop"}, fellThrough, 0},
      {{}, fellThrough, 0},
  });
}

// FOR /F hands each line over whole, without leading blanks, and skips empty lines;
// the value of %%L is text, so & | ( ) % in it do nothing.
TEST_F(ProjectFileBatch, ForLoopRunsItsBodyForEachLineOfTheFile) {
  WriteFileReplacing(Temp.Path() / L"my lines.txt",
                     "first line\r\n   indented\r\n\r\na & b | c\r\n(in parentheses) 100%\r\n"
                     "last, without line end");
  ASSERT_NO_FATAL_FAILURE(Generate("for_lines.kwj"));
  ExpectRuns({{{},
               {"line [first line]", "line [indented]", "line [a & b | c]",
                "line [(in parentheses) 100%]", "line [last, without line end]",
                "after the loop"},
               0}});
}

// The runner itself.

class Runner : public ::testing::Test {
 protected:
  fs::path Write(const std::wstring& name, const std::string& text) {
    const fs::path file = Temp.Path() / name;
    WriteFileReplacing(file, text);
    return file;
  }

  TTempFolder Temp;
  TBatchRunner Batch;
};

// Each argument arrives as one parameter, also one with blanks, batch specials or
// nothing at all, and the batch file's path may hold blanks and parentheses.
TEST_F(Runner, PassesEachArgumentAsOneParameter) {
  const fs::path folder = Temp.Folder(L"a (b) c");
  const fs::path batch = folder / L"args test.bat";
  std::string text = "@ECHO OFF\r\n";
  for (int n = 1; n <= 9; ++n)
    text += "ECHO " + std::to_string(n) + "=[%" + std::to_string(n) + "]\r\n";
  text += "ECHO cd=%CD%\r\n";
  WriteFileReplacing(batch, text);
  Batch.Arguments = {"plain", "two words", "", "a&b", "(x)", "k=v", "c,d", "x^y|z"};

  const TBatchResult result = Batch.Run(batch);
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"1=[plain]", "2=[\"two words\"]", "3=[\"\"]", "4=[\"a&b\"]", "5=[\"(x)\"]",
                   "6=[\"k=v\"]", "7=[\"c,d\"]", "8=[\"x^y|z\"]", "9=[]",
                   "cd=" + Narrow(folder.wstring())}));
  EXPECT_EQ(result.ExitCode, 0u);

  for (const char* unpassable : {"say \"hi\"", "100%", "%PATH%"}) {
    Batch.Arguments = {unpassable};
    EXPECT_THROW(Batch.CommandAfterSlashC(batch), std::invalid_argument) << unpassable;
  }
}

TEST_F(Runner, ReportsTheExitCodeAndUsesTheWorkingFolder) {
  const fs::path batch = Write(L"code.bat", "@ECHO OFF\r\nECHO cd=%CD%\r\nEXIT /B 42\r\n");
  const fs::path work = Temp.Folder(L"work here");
  Batch.WorkingDirectory = work;
  const TBatchResult result = Batch.Run(batch);
  EXPECT_EQ(SplitOutput(result.Output), Lines{"cd=" + Narrow(work.wstring())});
  EXPECT_EQ(result.ExitCode, 42u);
  EXPECT_FALSE(result.TimedOut);
  EXPECT_FALSE(result.Truncated);
}

TEST_F(Runner, StandardInputIsTheAnswerFileOrNothing) {
  const fs::path batch =
      Write(L"ask.bat",
            "@ECHO OFF\r\nSET answer=\r\nSET /P answer=Name? \r\nECHO.\r\nECHO got [%answer%]\r\n");
  struct Case {
    bool useAnswerFile;
    std::string answers;
    std::string got;
  };
  const Case cases[] = {
      {false, "", "got []"}, {true, "", "got []"}, {true, "Ada\r\n", "got [Ada]"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.got);
    Batch.UseAnswerFile = c.useAnswerFile;
    Batch.Answers = c.answers;
    const TBatchResult result = Batch.Run(batch);
    EXPECT_EQ(SplitOutput(result.Output), (Lines{"Name? ", c.got}));
    EXPECT_FALSE(result.TimedOut);
  }
}

// The batch file asks for input without end and starts a second cmd.exe that appends
// to a file without end: at the time limit both must be gone, not only the first.
TEST_F(Runner, KillsTheWholeProcessTreeAtTheTimeLimit) {
  const fs::path ticks = Temp.Path() / L"ticks.txt";
  Write(L"inner.bat",
        "@ECHO OFF\r\n:again\r\nECHO tick>> \"" + Narrow(ticks.wstring()) + "\"\r\nGOTO again\r\n");
  const fs::path batch =
      Write(L"endless.bat", "@ECHO OFF\r\nSTART /B CMD /D /C \"" +
                                Narrow((Temp.Path() / L"inner.bat").wstring()) +
                                "\"\r\n:loop\r\nSET /P x=Continue? \r\nGOTO loop\r\n");
  Batch.TimeLimit = std::chrono::seconds(3);

  const auto start = std::chrono::steady_clock::now();
  const TBatchResult result = Batch.Run(batch);
  const auto took = std::chrono::steady_clock::now() - start;

  EXPECT_TRUE(result.TimedOut);
  EXPECT_GE(took, std::chrono::milliseconds(2900));
  // Generous: a loaded machine starts Wine slowly. A survivor is caught below.
  EXPECT_LT(took, std::chrono::seconds(20));
  EXPECT_TRUE(Mentions(result.Output, "Continue?"));

  // Run returns only once the whole tree has ended, so the file stops growing at once.
  ASSERT_TRUE(fs::exists(ticks)) << "the inner batch file never ran";
  const auto size = fs::file_size(ticks);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_EQ(fs::file_size(ticks), size) << "the inner cmd.exe still runs";
}

// Far more output than the pipe holds: the batch file must still run to its end,
// which it could not if the runner stopped reading at the cap.
TEST_F(Runner, CapsHugeOutputAndKeepsDraining) {
  std::string big;
  for (int n = 1; big.size() < 256 * 1024; ++n)
    big += "line " + std::to_string(n) + " of much output\r\n";
  Write(L"big.txt", big);
  const fs::path batch =
      Write(L"huge.bat", "@ECHO OFF\r\nTYPE big.txt\r\nECHO done> done.txt\r\nEXIT /B 5\r\n");
  Batch.OutputLimit = 1000;

  const TBatchResult result = Batch.Run(batch);
  EXPECT_TRUE(result.Truncated);
  EXPECT_FALSE(result.TimedOut);
  EXPECT_EQ(result.ExitCode, 5u);
  EXPECT_EQ(result.Output, big.substr(0, 1000));
  EXPECT_TRUE(fs::exists(Temp.Path() / L"done.txt"));
}

}  // namespace
}  // namespace palvetta::e2e
