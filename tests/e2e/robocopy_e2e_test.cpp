// ROBOCOPY lines as the command receives them: the stand-in, copied as robocopy.exe first
// on PATH, prints every argument cmd.exe and the C run time's parser hand it.

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace palvetta::e2e {
namespace {

class RobocopyBatch : public ProjectFileBatch {
 protected:
  void SetUp() override {
    const fs::path tools = Temp.Folder(L"tools");
    fs::copy_file(ArgEcho(), tools / L"robocopy.exe");
    Runner.PathPrepend = {tools};
  }
};

// The user's own quotes around a folder with a final backslash do not turn the rest of
// the line into one argument ("D:\a b" E:\dst /E ...), and inside an IF block the
// parentheses of quoted names do not close the block.
TEST_F(RobocopyBatch, EachFolderSwitchAndFileArrivesAsOneArgument) {
  ASSERT_NO_FATAL_FAILURE(Generate("robocopy.kwj"));
  const Lines first{"argecho name=[robocopy.exe]",
                    "argecho argc=9",
                    "argecho arg1=[D:\\a b]",
                    "argecho arg2=[E:\\dst]",
                    "argecho arg3=[/E]",
                    "argecho arg4=[/A-:R]",
                    "argecho arg5=[/XD]",
                    "argecho arg6=[D:\\a b\\tmp]",
                    "argecho arg7=[/MIN:3000000000]",
                    "argecho arg8=[/R:0]",
                    "argecho arg9=[/LOG+:C:\\my logs\\rc.log]"};
  Lines both = first;
  for (const char* line : {"argecho name=[robocopy.exe]", "argecho argc=6",
                           "argecho arg1=[C:\\data (old)]", "argecho arg2=[E:\\new & shiny]",
                           "argecho arg3=[*.txt]", "argecho arg4=[a (1).doc]",
                           "argecho arg5=[/MT:8]", "argecho arg6=[/JOB:nightly]"}) {
    both.push_back(line);
  }
  ExpectRuns({{{}, first, 0}, {{"again"}, both, 0}});
}

}  // namespace
}  // namespace palvetta::e2e
