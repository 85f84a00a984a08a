// Runs symlookup on a small program image that carries a packed map.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "crash/symbols/packed_map.h"
#include "crash/symbols/pe_resources.h"
#include "crash/symbols/pe_builder.h"

namespace palvetta {
namespace {

struct TRun {
  int Status;
  std::string Output;
};

TRun RunSymlookup(const std::string& arguments) {
  const std::string command = std::string(PALVETTA_SYMLOOKUP) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  TRun run{-1, {}};
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, read);
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class SymlookupTest : public testing::Test {
 protected:
  void SetUp() override {
    FFolder = std::filesystem::path(testing::TempDir()) / "symlookup_test";
    std::filesystem::create_directories(FFolder);
    const std::string file = BuildPeFile({});
    const std::optional<TPeImage> image =
        TPeImage::Open(reinterpret_cast<const uint8_t*>(file.data()), file.size(), TPeLayout::plFile);
    ASSERT_TRUE(image);
    TMapFile map;
    map.SetRanges(CodeRangesOf(*image, kBuiltImageBase));
    const uintptr_t base = map.Ranges().BaseOfCode;
    map.AddSegment(true, false, false, false, "sample.cpp", kBuiltCodeSize, base);
    map.SortSegments();
    map.AddPublic(true, "Sample()", base);
    map.AddPublic(true, "ns::Other(int)", base + 0x40);
    map.AddLine(7, base, false);
    map.AddLine(9, base + 0x40, false);
    map.SetValid(true);
    Write("mapped.exe", BuildPeFile({{u"SWD", u"EXCEPT", map.Export(true, false, false)}}));
    Write("unmapped.exe", BuildPeFile({}));
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(FFolder / name, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return (FFolder / name).string(); }

  std::filesystem::path FFolder;
};

TEST_F(SymlookupTest, PrintsFunctionFileAndLineOrAQuestionMark) {
  const TRun run = RunSymlookup(Path("mapped.exe") + " 140001000 0x140001044 140001180 13FFFFFFF");
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Output,
            "140001000\tSample()\tsample.cpp\t7\n"
            "0x140001044\tns::Other(int)\tsample.cpp\t9\n"
            "140001180\t?\n"
            "13FFFFFFF\t?\n");
}

TEST_F(SymlookupTest, ReportsBadInputClearly) {
  const TRun badAddress = RunSymlookup(Path("mapped.exe") + " zz 140001000");
  EXPECT_EQ(badAddress.Status, 1);
  EXPECT_NE(badAddress.Output.find("not a hexadecimal address: zz"), std::string::npos);
  EXPECT_NE(badAddress.Output.find("140001000\tSample()"), std::string::npos);

  const TRun noMap = RunSymlookup(Path("unmapped.exe") + " 140001000");
  EXPECT_EQ(noMap.Status, 1);
  EXPECT_NE(noMap.Output.find("holds no readable symbol map"), std::string::npos);

  const TRun missing = RunSymlookup(Path("missing.exe") + " 140001000");
  EXPECT_EQ(missing.Status, 2);
  const TRun usage = RunSymlookup("");
  EXPECT_EQ(usage.Status, 2);
}

}  // namespace
}  // namespace palvetta
