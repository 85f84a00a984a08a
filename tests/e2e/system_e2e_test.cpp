// The system items' lines in cmd.exe: PATH extended inside an IF block while the path
// holds "(x86)", associations set and read back, and the system tools' arguments as
// stand-ins receive them (SHUTDOWN and TASKKILL never run for real).

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "e2e_support.h"

namespace palvetta::e2e {
namespace {

class SystemBatch : public ProjectFileBatch {
 protected:
  // A folder with "(x86)" in its name on PATH and, after it, a folder with the program
  // "other"; the program "mytool" is found only through the folder "tools" of the batch
  // file's folder.
  void PathWithX86() {
    Runner.PathPrepend = {Temp.Folder(L"Program Files (x86)"), Temp.Folder(L"later")};
    fs::copy_file(ArgEcho(), Temp.Folder(L"later") / L"other.exe");
    fs::copy_file(ArgEcho(), Temp.Folder(L"tools") / L"mytool.exe");
  }
};

TEST_F(SystemBatch, PathExtendedInsideAnIfBlockKeepsTheWholePath) {
  PathWithX86();
  ASSERT_NO_FATAL_FAILURE(Generate("path_in_if.kwj"));
  ExpectRuns({{{},
               {"argecho name=[mytool.exe]", "argecho argc=1", "argecho arg1=[hello]",
                "argecho name=[other.exe]", "argecho argc=1", "argecho arg1=[there]"},
               0}});
}

// What the plain "PATH x;%PATH%" does there: the "(x86)" of the expanded path closes the
// block, the rest runs as commands, and PATH is cut short: "other" is no longer found.
TEST_F(SystemBatch, PlainPathCommandBreaksInsideTheBlock) {
  PathWithX86();
  WriteFileReplacing(Temp.Path() / L"job.bat",
                 "@ECHO OFF\r\nIF 1==1 (\r\nPATH %CD%\\tools;%PATH%\r\n)\r\nother there\r\n");
  const TBatchResult result = Run();
  EXPECT_EQ(result.Output.find("argecho arg1=[there]"), std::string::npos) << result.Output;
  EXPECT_NE(result.Output.find("x86"), std::string::npos) << result.Output;
}

// ASSOC and FTYPE print what they set; the item without a type name writes no ASSOC
// line, so the associations read back unchanged (its FTYPE line fails on its own).
TEST_F(SystemBatch, AssociationsAreSetAndReadBack) {
  ASSERT_NO_FATAL_FAILURE(Generate("assoc.kwj"));
  const Lines set = {".pvtesta=PalvettaTest.File", ".pvtestb=PalvettaTest.File",
                     "PalvettaTest.File=\"C:\\Tools\\pv edit.exe\" \"%1\" %*"};
  const Lines printed = SplitOutput(Run().Output);
  ASSERT_GE(printed.size(), 6u);
  EXPECT_EQ(Lines(printed.begin(), printed.begin() + 3), set);
  EXPECT_EQ(Lines(printed.end() - 3, printed.end()), set);
}

TEST_F(SystemBatch, SystemToolsReceiveTheirArguments) {
  const fs::path tools = Temp.Folder(L"stand-ins");
  for (const wchar_t* name :
       {L"systeminfo.exe", L"tasklist.exe", L"taskkill.exe", L"mode.exe", L"shutdown.exe"}) {
    fs::copy_file(ArgEcho(), tools / name);
  }
  Runner.PathPrepend = {tools};
  ASSERT_NO_FATAL_FAILURE(Generate("system_tools.kwj"));
  ExpectRuns({{{},
               {"argecho name=[SYSTEMINFO.exe]", "argecho argc=9", "argecho arg1=[/S]",
                "argecho arg2=[PC1]", "argecho arg3=[/U]", "argecho arg4=[DOM\\me]",
                "argecho arg5=[/P]", "argecho arg6=[50%-off%xsecret]", "argecho arg7=[/NH]",
                "argecho arg8=[/FO]", "argecho arg9=[CSV]",
                "argecho name=[tasklist.exe]", "argecho argc=7", "argecho arg1=[/FO]",
                "argecho arg2=[TABLE]", "argecho arg3=[/SVC]", "argecho arg4=[/FI]",
                "argecho arg5=[IMAGENAME ne a b.exe]", "argecho arg6=[/FI]",
                "argecho arg7=[MEMUSAGE gt 100]",
                "argecho name=[taskkill.exe]", "argecho argc=3", "argecho arg1=[/IM]",
                "argecho arg2=[my tool.exe]", "argecho arg3=[/F]",
                "argecho name=[mode.exe]", "argecho argc=3", "argecho arg1=[COM3]",
                "argecho arg2=[BAUD=9600]", "argecho arg3=[PARITY=e]",
                "argecho name=[shutdown.exe]", "argecho argc=10", "argecho arg1=[/r]",
                "argecho arg2=[/m]", "argecho arg3=[\\\\PC1]", "argecho arg4=[/t]",
                "argecho arg5=[30]", "argecho arg6=[/c]", "argecho arg7=[Nightly update]",
                "argecho arg8=[/f]", "argecho arg9=[/d]", "argecho arg10=[p:2:17]"},
               0}});
}

}  // namespace
}  // namespace palvetta::e2e
