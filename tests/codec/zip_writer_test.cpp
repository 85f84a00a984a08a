#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/file_io.h"
#include "codec/checksums.h"
#include "codec/inflate.h"
#include "codec/zip_writer.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

namespace fs = std::filesystem;

uint32_t Get(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

struct TEntryRead {
  std::string Name;
  uint32_t Flags, Method, DosTime, Crc, Size;
  std::string Contents;
};

// Reads an archive the way an unzip program does: end record, central directory, then
// each local header it points at, whose fields must agree.
std::vector<TEntryRead> ReadArchive(const std::string& zip) {
  const size_t end = zip.size() - 22;
  EXPECT_EQ(Get(zip, end, 4), 0x06054B50u);
  const uint32_t count = Get(zip, end + 10, 2);
  const uint32_t directorySize = Get(zip, end + 12, 4);
  size_t at = Get(zip, end + 16, 4);
  EXPECT_EQ(at + directorySize, end);
  std::vector<TEntryRead> entries;
  for (uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(Get(zip, at, 4), 0x02014B50u);
    const uint32_t nameLength = Get(zip, at + 28, 2);
    const uint32_t local = Get(zip, at + 42, 4);
    EXPECT_EQ(Get(zip, local, 4), 0x04034B50u);
    EXPECT_EQ(zip.substr(local + 4, 26), zip.substr(at + 6, 26)) << "local and central fields differ";
    TEntryRead entry{zip.substr(at + 46, nameLength), Get(zip, at + 8, 2), Get(zip, at + 10, 2),
                     Get(zip, at + 12, 4), Get(zip, at + 16, 4), Get(zip, at + 24, 4), ""};
    const std::string data = zip.substr(local + 30 + nameLength, Get(zip, at + 20, 4));
    if (entry.Method == kZipStored) {
      entry.Contents = data;
    } else {
      entry.Contents.resize(entry.Size);
      if (InflateBuffer(data.data(), entry.Contents.data(), data.size(), entry.Size) != entry.Size) entry.Contents = "?";
    }
    EXPECT_EQ(Crc32Update(0xFFFFFFFF, entry.Contents.data(), entry.Contents.size()) ^ 0xFFFFFFFF, entry.Crc);
    entries.push_back(entry);
    at += 46 + nameLength;
  }
  return entries;
}

class ZipWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFolder = fs::temp_directory_path() /
              ("palvetta-zip-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(FFolder);
  }
  void TearDown() override { fs::remove_all(FFolder); }

  std::string Make(const std::string& name, const std::string& contents) {
    const fs::path path = FFolder / PathFromUtf8(name);
    std::ofstream(path, std::ios::binary) << contents;
    return PathToUtf8(path);
  }
  std::string Zip() const { return PathToUtf8(FFolder / "out.zip"); }

  fs::path FFolder;
};

TEST_F(ZipWriterTest, SkipsAMissingFileAndPointsAtTheRightHeaders) {
  const std::string text = testing::SampleText(30000);
  const std::string first = Make("report.txt", text);
  const std::string third = Make("empty.log", "");
  const std::string missing = PathToUtf8(FFolder / "gone.txt");
  const TZipResult result = WriteZipArchive(Zip(), {first, missing, third}, {});
  ASSERT_TRUE(result.Written);
  ASSERT_EQ(result.Skipped.size(), 1u);
  EXPECT_EQ(result.Skipped[0].Path, missing);
  EXPECT_EQ(result.Skipped[0].Reason, TZipSkipReason::zsrUnreadable);

  const std::vector<TEntryRead> entries = ReadArchive(ReadFileBytes(FFolder / "out.zip"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "report.txt");
  EXPECT_EQ(entries[0].Contents, text);
  EXPECT_EQ(entries[1].Name, "empty.log");
  EXPECT_EQ(entries[1].Contents, "");
  for (const TEntryRead& entry : entries) {
    EXPECT_EQ(entry.Flags, 0x0800u);
    EXPECT_EQ(entry.Method, kZipDeflated);
  }
  // Nothing but the archive is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(FFolder), fs::directory_iterator()), 3);
}

TEST_F(ZipWriterTest, NamesAreUtf8FromSendAsNamesOrTheFileName) {
  const std::string a = Make("r\xC3\xA9sum\xC3\xA9.txt", "a");
  const std::string b = Make("plain.txt", "b");
  const TZipResult result = WriteZipArchive(Zip(), {a, b}, {"", "\xC3\x9C" "bersicht \xE6\x97\xA5.log"});
  ASSERT_TRUE(result.Written);
  const std::vector<TEntryRead> entries = ReadArchive(ReadFileBytes(FFolder / "out.zip"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "r\xC3\xA9sum\xC3\xA9.txt");
  EXPECT_EQ(entries[1].Name, "\xC3\x9C" "bersicht \xE6\x97\xA5.log");
  EXPECT_EQ(entries[1].Contents, "b");
}

TEST_F(ZipWriterTest, NothingReadableLeavesNoArchive) {
  const std::vector<std::string> missing = {PathToUtf8(FFolder / "a"), PathToUtf8(FFolder / "b")};
  const TZipResult result = WriteZipArchive(Zip(), missing, {});
  EXPECT_FALSE(result.Written);
  EXPECT_EQ(result.Skipped.size(), 2u);
  EXPECT_TRUE(fs::is_empty(FFolder));
  // An archive already there is neither emptied nor removed by a failed write.
  Make("out.zip", "an older archive");
  EXPECT_FALSE(WriteZipArchive(Zip(), missing, {}).Written);
  EXPECT_EQ(ReadFileBytes(FFolder / "out.zip"), "an older archive");
  EXPECT_EQ(std::distance(fs::directory_iterator(FFolder), fs::directory_iterator()), 1);
}

TEST_F(ZipWriterTest, ADateBefore1980BecomesTheFirstDayOf1980) {
  const std::string old = Make("old.txt", "from the seventies");
  // Mid-1975: whatever the time zone, still 1975 in local time.
  fs::last_write_time(PathFromUtf8(old), fs::last_write_time(PathFromUtf8(old)) - std::chrono::hours(24 * 365 * 50));
  ASSERT_TRUE(WriteZipArchive(Zip(), {old}, {}).Written);
  const std::vector<TEntryRead> entries = ReadArchive(ReadFileBytes(FFolder / "out.zip"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].DosTime, (0u << 9 | 1u << 5 | 1u) << 16);
}

TEST(ZipEntryTest, AFailedCompressionIsStoredNeverAnEmptyDeflatedEntry) {
  const auto failing = [](const void*, void*, uint64_t, uint64_t) -> uint64_t { return 0; };
  const TZipEntryData stored = CompressZipEntry("some bytes", failing);
  EXPECT_EQ(stored.Method, kZipStored);
  EXPECT_EQ(stored.Data, "some bytes");
  const TZipEntryData deflated = CompressZipEntry("");
  EXPECT_EQ(deflated.Method, kZipDeflated);
  EXPECT_EQ(deflated.Data, std::string("\x03\x00", 2));
}

#if !defined(_WIN32)
// Without ZIP64 an entry cannot hold 4 GiB; a sparse file costs no disk space.
TEST_F(ZipWriterTest, AFileOf4GiBIsSkippedAndSaidSo) {
  const std::string huge = Make("huge.bin", "");
  std::error_code error;
  fs::resize_file(PathFromUtf8(huge), uint64_t{1} << 32, error);
  if (error) GTEST_SKIP() << "no sparse file: " << error.message();
  const std::string small = Make("small.txt", "kept");
  const TZipResult result = WriteZipArchive(Zip(), {huge, small}, {});
  ASSERT_TRUE(result.Written);
  ASSERT_EQ(result.Skipped.size(), 1u);
  EXPECT_EQ(result.Skipped[0].Path, huge);
  EXPECT_EQ(result.Skipped[0].Reason, TZipSkipReason::zsrTooLarge);
  const std::vector<TEntryRead> entries = ReadArchive(ReadFileBytes(FFolder / "out.zip"));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "small.txt");
}
#endif

}  // namespace
}  // namespace palvetta
