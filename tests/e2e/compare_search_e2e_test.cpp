// The compare, search, print, sort and write-to-file items in cmd.exe: each project is
// saved as a project file, made into its batch file by batchgen and run. FIND and the
// write-to-file item run for real and are checked on disk; SORT, COMP, FC, FINDSTR and
// PRINT run as the stand-in (argecho under their names, first on PATH), which shows the
// exact arguments each received. Items with user paths run inside an IF block too,
// where an unescaped ")" would end the block early. Also the runner's safety rules.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "items/compare_search/compare_search_items.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "model/project.h"
#include "support/batch_runner.h"
#include "support/project_files.h"
#include "support/temp_folder.h"
#include "e2e_support.h"
#include "support/test_items.h"

namespace palvetta::e2e {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

void WriteText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

class CompareSearchBatch : public GeneratedBatch {
 protected:
  TBatchResult MakeAndRun() { return RunThroughBatchgen(); }

  template <class T>
  T& Add() {
    return Project.Add<T>();
  }
};

// FIND runs for real, once on its own and once inside an IF block; its output goes into a
// file through the item's redirection. The search text holds "&" and ")": as data.
TEST_F(CompareSearchBatch, FindSearchesTheFileForReal) {
  WriteText(Temp.Path() / "my logs" / "app (1).log",
            "start\r\nTom & Jerry (again)\r\nend\r\nTom and Jerry\r\n");
  auto find = [&](const std::string& log) {
    auto& item = Add<TFindItem>();
    item.SearchFor = "Jerry (again";
    item.Path = "my logs\\app (1).log";
    item.RedirectTo = log;
  };
  find("found.txt");
  OpenIfBlock("EXIST \"my logs\\app (1).log\"");
  find("found in block.txt");
  CloseIfBlock();

  const TBatchResult result = MakeAndRun();
  for (const char* log : {"found.txt", "found in block.txt"}) {
    SCOPED_TRACE(log);
    const std::string found = ReadFileBytes(Temp.Path() / log);
    EXPECT_NE(found.find("Tom & Jerry (again)"), std::string::npos) << found;
    EXPECT_EQ(found.find("start"), std::string::npos) << found;
    EXPECT_EQ(found.find("Tom and Jerry"), std::string::npos) << found;
  }
  EXPECT_EQ(result.Output, "");
}

// Wine's cmd.exe misreads "ECHO(": it prints the bracket ("ECHO(x" gives "(x"), and in
// a block it takes the bracket for the start of another block. cmd.exe of Windows
// prints "x" in both places, which is why the item writes "ECHO(".
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string EchoedLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += (UnderWine() ? "(" : "") + line + "\r\n";
  return text;
}

class WriteToFileBatch : public CompareSearchBatch {
 protected:
  void SetUp() override {
    WriteText(Temp.Path() / "x", "keep me");
    WriteText(Temp.Path() / "out dir" / "log (1).txt", "old\r\n");
    WriteText(Temp.Path() / "replaced.txt", "old\r\n");
    auto& set = Add<TSetVarValItem>();
    set.Name = "Size";
    set.Value = "5";
  }

  void Text(const std::string& typed) {
    auto& item = Add<TWriteToFileItem>();
    item.Mode = TWriteToFileMode::wtfText;
    item.Text = typed;
    item.Path = "out dir\\log (1).txt";
  }
  void Variable() {
    auto& item = Add<TWriteToFileItem>();
    item.VarName = "Size";
    item.Path = "replaced.txt";
    item.Overwrite = true;
  }
  void Items() {
    Text("a & del x (1) | more > y");
    Text("%Size% is 100% of %Size%");
    Variable();
  }

  // What the items wrote: text with batch syntax as typed, a "%" expanded only where it
  // names a variable, one file appended to and one replaced. The file "x" that "& del x"
  // names survives, and no "y" was made by "> y".
  void ExpectWritten() {
    EXPECT_EQ(ReadFileBytes(Temp.Path() / "out dir" / "log (1).txt"),
              "old\r\n" + EchoedLines({"a & del x (1) | more > y", "5 is 100% of 5"}));
    EXPECT_EQ(ReadFileBytes(Temp.Path() / "replaced.txt"), EchoedLines({"5"}));
    EXPECT_EQ(ReadFileBytes(Temp.Path() / "x"), "keep me");
    EXPECT_FALSE(fs::exists(Temp.Path() / "y"));
  }
};

TEST_F(WriteToFileBatch, WritesTextAndValuesForReal) {
  Items();
  const TBatchResult result = MakeAndRun();
  EXPECT_EQ(result.Output, "");
  ExpectWritten();
}

// A ")" in the text must not end the block early.
TEST_F(WriteToFileBatch, WritesTextAndValuesInsideAnIfBlock) {
  if (UnderWine()) GTEST_SKIP() << "Wine's cmd.exe reads \"ECHO(\" in a block as a new block";
  OpenIfBlock("EXIST x");
  Items();
  Text("in block ) & del x");
  CloseIfBlock();
  const TBatchResult result = MakeAndRun();
  EXPECT_EQ(result.Output, "");
  EXPECT_EQ(ReadFileBytes(Temp.Path() / "out dir" / "log (1).txt"),
            "old\r\na & del x (1) | more > y\r\n5 is 100% of 5\r\nin block ) & del x\r\n");
  EXPECT_EQ(ReadFileBytes(Temp.Path() / "x"), "keep me");
}

// Each command gets exactly the arguments the item means, on its own and inside an IF
// block.
TEST_F(CompareSearchBatch, StandInsReceiveTheExactArguments) {
  StandIns({L"fc", L"comp", L"findstr", L"print", L"sort"});
  WriteText(Temp.Path() / "f(1).txt", "");
  auto items = [&] {
    auto& fc = Add<TFCItem>();
    fc.DisregardCase = true;
    fc.MaxConsMismatches = 5;
    fc.NumberOfLinesAfterMismatch = 2;
    fc.FileName1 = "my a.txt";
    fc.FileName2 = "R&D.txt";
    auto& comp = Add<TCompItem>();
    comp.Path1 = "one (1).bin";
    comp.Path2 = "b.bin";
    comp.FirstNLines = 3;
    auto& phrase = Add<TFindStrItem>();
    phrase.IgnoreCase = true;
    phrase.SearchFor = "say \"hi & bye\" )";
    phrase.Path = "f(1).txt";
    auto& word = Add<TFindStrItem>();
    word.SearchFor = "a&b|c";
    word.Path = "f(1).txt";
    auto& folders = Add<TFindStrItem>();
    folders.FindStrItem_SearchFor = TFindStrItem_SearchFor::sfStringsFromFile;
    folders.SearchStringsFile = "words.txt";
    folders.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
    folders.ListOfDirs = "C:\\a;C:\\b c";
    folders.Path = "C:\\x\\*.cfg";
    auto& print = Add<TPrintItem>();
    print.Device = "LPT1";
    print.Path = "my doc.txt";
    auto& sort = Add<TSORTItem>();
    sort.R = true;
    sort.N = 3;
    sort.Path = "in file.txt";
    sort.OutputPath = "out.txt";
  };
  items();
  OpenIfBlock("EXIST \"f(1).txt\"");
  items();
  CloseIfBlock();

  const Lines once = {
      "argecho name=[fc.exe]", "argecho argc=5", "argecho arg1=[/C]", "argecho arg2=[/LB5]",
      "argecho arg3=[/2]", "argecho arg4=[my a.txt]", "argecho arg5=[R&D.txt]",
      "argecho name=[comp.exe]", "argecho argc=4", "argecho arg1=[one (1).bin]",
      "argecho arg2=[b.bin]", "argecho arg3=[/N=3]", "argecho arg4=[/M]",
      "argecho name=[findstr.exe]", "argecho argc=3", "argecho arg1=[/I]",
      "argecho arg2=[/C:say \"hi & bye\" )]", "argecho arg3=[f(1).txt]",
      "argecho name=[findstr.exe]", "argecho argc=2", "argecho arg1=[a&b|c]",
      "argecho arg2=[f(1).txt]",
      "argecho name=[findstr.exe]", "argecho argc=3", "argecho arg1=[/G:words.txt]",
      "argecho arg2=[/D:C:\\a;C:\\b c]", "argecho arg3=[*.cfg]",
      "argecho name=[print.exe]", "argecho argc=2", "argecho arg1=[/D:LPT1]",
      "argecho arg2=[my doc.txt]",
      "argecho name=[sort.exe]", "argecho argc=5", "argecho arg1=[/R]", "argecho arg2=[/+3]",
      "argecho arg3=[in file.txt]", "argecho arg4=[/O]", "argecho arg5=[out.txt]"};
  Lines twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  const TBatchResult result = MakeAndRun();
  EXPECT_EQ(SplitOutput(result.Output), twice);
  EXPECT_EQ(result.ExitCode, 0u);
}

// The runner never runs a command that would change the machine for real, unless the
// test stubbed it; text that merely names one is no call.
TEST_F(CompareSearchBatch, TheRunnerRefusesDangerousCommandsThatAreNotStubbed) {
  const fs::path batch = Temp.Path() / L"raw.bat";
  for (const char* command : {"FORMAT C: /Q", "@convert D: /FS:NTFS", "x & chkdsk.exe C:",
                              "(shutdown /s)", "C:\\Windows\\System32\\Format.com C:",
                              "IF \"%~1\"==\"go\" taskkill /F /IM y.exe"}) {
    SCOPED_TRACE(command);
    WriteFileReplacing(batch, std::string("@ECHO OFF\r\n") + command + "\r\n");
    EXPECT_THROW(Runner.Run(batch), TRefusedBatch);
  }

  // With a stand-in of that name first on PATH, the stand-in is what runs.
  WriteFileReplacing(batch,
                     "@ECHO OFF\r\nECHO no shutdown here & REM nor FORMAT\r\n"
                     "TASKKILL /IM \"x (1).exe\"\r\n");
  EXPECT_THROW(Runner.Run(batch), TRefusedBatch);
  StandIns({L"taskkill"});
  const TBatchResult result = Runner.Run(batch);
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"no shutdown here ", "argecho name=[taskkill.exe]", "argecho argc=2",
                   "argecho arg1=[/IM]", "argecho arg2=[x (1).exe]"}));
}

// A command that may ask gets an answer file that says no, where the end of the input
// would have it ask again without end.
TEST_F(CompareSearchBatch, TheRunnerAnswersNoToQuestions) {
  WriteText(Temp.Path() / "a.txt", "new");
  WriteText(Temp.Path() / "b.txt", "old");
  const fs::path batch = Temp.Path() / L"ask.bat";
  WriteFileReplacing(batch, "@ECHO OFF\r\nCOPY /-Y a.txt b.txt\r\nECHO went on\r\n");
  Runner.TimeLimit = std::chrono::seconds(20);

  const TBatchResult result = Runner.Run(batch);
  Log += result.Output;
  EXPECT_FALSE(result.TimedOut);
  EXPECT_NE(result.Output.find("went on"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(Temp.Path() / "b.txt"), "old");
}

}  // namespace
}  // namespace palvetta::e2e
