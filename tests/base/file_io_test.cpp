#include "base/file_io.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             PathFromUtf8(std::string("palvetta file io ") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
  }

  std::filesystem::path folder;
};

TEST_F(FileIoTest, ReplacesAnExistingFileCompletely) {
  const auto target = folder / PathFromUtf8("Grüße € \xF0\x9F\x98\x80.bat");
  WriteFileReplacing(target, std::string(10000, 'x'));
  WriteFileReplacing(target, "short\r\n");
  EXPECT_EQ(ReadFileBytes(target), "short\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
  EXPECT_EQ(PathToUtf8(target.filename()), "Grüße € \xF0\x9F\x98\x80.bat");
}

TEST_F(FileIoTest, AFailedWriteLeavesWhatWasThere) {
  // The target is a folder: the new file cannot take its place.
  const auto target = folder / "taken";
  std::filesystem::create_directory(target);
  std::filesystem::create_directory(target / "inside");
  EXPECT_THROW(WriteFileReplacing(target, "new"), std::runtime_error);
  EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileIoTest, ErrorsNameTheFile) {
  const auto target = folder / "missing folder" / "x.bat";
  try {
    WriteFileReplacing(target, "x");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create file \""), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("x.bat\". "), std::string::npos) << error.what();
  }
  EXPECT_THROW(ReadFileBytes(folder / "nothing.txt"), std::runtime_error);
}

}  // namespace
}  // namespace palvetta
