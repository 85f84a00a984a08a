#include "model/procs.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(Procs, DriveLetters) {
  TStrings free;
  GetFreeDriveLetters({"C:\\", "d:\\", "Z:\\"}, free);
  ASSERT_EQ(free.size(), 23u);
  EXPECT_EQ(free.front(), "A:\\");
  EXPECT_EQ(free[2], "E:\\");
  EXPECT_EQ(free.back(), "Y:\\");
  EXPECT_TRUE(IsDriveLetter('A'));
  EXPECT_TRUE(IsDriveLetter('Z'));
  EXPECT_FALSE(IsDriveLetter('a'));
  EXPECT_FALSE(IsDriveLetter('1'));
}

TEST(Procs, EnumerationNames) {
  EXPECT_EQ(FileSystemName(TFileSystem::fsexFAT), "exFAT");
  EXPECT_EQ(FileSystemName(TFileSystem::fsUDF), "UDF");
  EXPECT_EQ(UDFRevisionName(TUDFRevision::udfr2_01), "2.01");
  EXPECT_EQ(UDFRevisionName(TUDFRevision::udfr1_50), "1.50");
  EXPECT_EQ(OutputFormatName(TOutputFormat::ofCSV), "CSV");
}

TEST(Procs, LinesOfText) {
  EXPECT_EQ(GetLineOfText("whole text", 0, ";"), "whole text");
  EXPECT_EQ(GetLineOfText("a;b;c", 1, ";"), "b");
  EXPECT_EQ(GetLineOfText("a;b;c", 3, ";"), "");
  EXPECT_EQ(GetLineOfText("a;b", -1, ";"), "");
  EXPECT_EQ(JoinLines({"a", "b"}, ", "), "a, b, ");
  EXPECT_EQ(JoinLines({}, ", "), "");
  EXPECT_EQ(StringListOf("x"), TStrings{"x"});
}

}  // namespace
}  // namespace palvetta
