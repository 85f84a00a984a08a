#pragma once
// What the end-to-end tests share: the stand-ins beside the test program, a scratch
// folder per test, and the fixture that turns a project file into a batch file with
// batchgen and runs it in cmd.exe.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/win/wide.h"
#include "support/batch_runner.h"
#include "support/temp_folder.h"
#include "model/project.h"

namespace palvetta::e2e {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The stand-ins, beside the test program.
fs::path ExeFolder();
fs::path ArgEcho();
fs::path FindStandIn();

// What a run shows in the log of a failed test: its arguments, how it ended and its output.
std::string DescribeRun(const std::vector<std::string>& arguments, const TBatchResult& result);

// The user's short date pattern, set for one test and put back afterwards.
class ShortDatePattern {
 public:
  ShortDatePattern() {
    wchar_t value[80] = {};
    DWORD size = sizeof value;
    FHad = RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, value, &size) ==
           ERROR_SUCCESS;
    FOld = value;
  }
  ~ShortDatePattern() {
    if (FHad) {
      Set(FOld);
    } else {
      Remove();
    }
  }
  void Set(const std::wstring& pattern) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, pattern.c_str(),
                    static_cast<DWORD>((pattern.size() + 1) * sizeof(wchar_t)));
  }
  void Remove() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue); }

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\International";
  static constexpr const wchar_t* kValue = L"sShortDate";
  bool FHad = false;
  std::wstring FOld;
};

// Project files through batchgen: each scenario is a hand-written project file in
// tests/e2e/projects, turned into a batch file by the batchgen tool, as the program
// does on a user's project, and run in cmd.exe. There is no item that writes a bare
// ECHO, so the project files print with run-program items whose program is ECHO.
fs::path ProjectFile(const std::string& name);

// Wine's cmd.exe (checked with Wine 8.0) differs from Windows' in two exit codes that
// the tests meet, so they expect what each does:
// - after CALL of a batch file that ended with a code other than 0, ERRORLEVEL is 1;
// - EXIT /B without a code ends the batch file run by "cmd /c" with exit code 0, where
//   Windows hands on ERRORLEVEL.
bool UnderWine();

struct ProgramRun {
  unsigned long ExitCode = 0;
  std::string Output;  // standard output and error
  bool TimedOut = false;
};

// Runs a program with the arguments, each quoted; none may hold a double quote.
ProgramRun RunProgram(const fs::path& program, const std::vector<fs::path>& arguments,
                      const fs::path& outputFile);

// The batch files made from project files and their runs. On a failure every batch
// file made is shown, with what batchgen and each run printed.
class ProjectFileBatch : public ::testing::Test {
 protected:
  struct Case {
    std::vector<std::string> arguments;
    Lines printed;
    unsigned long exitCode;
  };

  // Makes the batch file of the project file in the temp folder; fails the test when
  // batchgen fails. Call through ASSERT_NO_FATAL_FAILURE.
  void Generate(const std::string& project, const std::wstring& batchName = L"job.bat") {
    const fs::path batch = Temp.Path() / batchName;
    const ProgramRun run = RunProgram(fs::path(Widen(PALVETTA_BATCHGEN)),
                                      {ProjectFile(project), batch},
                                      Temp.Path() / L"batchgen output.txt");
    Log += "--- batchgen " + project + ": exit code " + std::to_string(run.ExitCode) +
           (run.TimedOut ? ", timed out" : "") + "\n" + run.Output;
    Made.push_back(batch);
    ASSERT_FALSE(run.TimedOut) << "batchgen " << project;
    ASSERT_EQ(run.ExitCode, 0u) << "batchgen " << project << ": " << run.Output;
    ASSERT_EQ(run.Output, "") << "batchgen " << project;
    ASSERT_TRUE(fs::exists(batch)) << "batchgen " << project << " wrote no batch file";
  }

  TBatchResult Run(const std::vector<std::string>& arguments = {},
                  const std::wstring& batchName = L"job.bat") {
    const TBatchResult result = [&] {
      TBatchRunner runner = Runner;
      runner.Arguments = arguments;
      return runner.Run(Temp.Path() / batchName);
    }();
    Log += DescribeRun(arguments, result);
    return result;
  }

  // Runs job.bat once for each case and checks every line it printed and its exit code.
  void ExpectRuns(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      std::string shown;
      for (const auto& argument : c.arguments) shown += " [" + argument + "]";
      SCOPED_TRACE("arguments:" + (shown.empty() ? std::string(" none") : shown));
      const TBatchResult result = Run(c.arguments);
      EXPECT_FALSE(result.TimedOut);
      EXPECT_EQ(SplitOutput(result.Output), c.printed);
      EXPECT_EQ(result.ExitCode, c.exitCode);
    }
  }

  void TearDown() override {
    if (!HasFailure()) return;
    std::error_code missing;
    for (const auto& batch : Made) {
      if (!fs::exists(batch, missing)) continue;
      std::cout << "--- generated " << PathToUtf8(batch) << "\n"
                << BatchCodePage().ToUtf8(ReadFileBytes(batch));
    }
    std::cout << Log << "---\n";
  }

  TTempFolder Temp;
  TBatchRunner Runner;
  std::vector<fs::path> Made;
  std::string Log;  // batchgen's and every run's exit code and output
};

// A project built in the test, its batch file made in-process as the program makes it,
// and its runs in a fresh temp folder. On a failure the batch file and what each run
// printed are shown, which is most of what one needs to see why.
class GeneratedBatch : public ::testing::Test {
 protected:
  // Generates the batch file and runs it with the arguments.
  TBatchResult Run(const std::vector<std::string>& arguments = {});

  fs::path BatchFile() const { return Temp.Path() / L"job.bat"; }

  // Copies of the argument-printing stand-in under the given command names, first on
  // PATH, so a run shows exactly which arguments each command received.
  void StandIns(std::initializer_list<const wchar_t*> names);


  // The items added between these run inside "IF condition ( ... )".
  void OpenIfBlock(const std::string& condition = "1==1");
  void CloseIfBlock();

  void TearDown() override;

  // Saves the project as a project file, has batchgen make the batch file of it, as it
  // does of a user's project, and runs that; a batchgen failure fails the test.
  TBatchResult RunThroughBatchgen();

  TTempFolder Temp;
  TProject Project;
  TBatchRunner Runner;
  std::string Log;  // every run's arguments, exit code and output
};

}  // namespace palvetta::e2e
