#include "app/zip_directory.h"

#include <gtest/gtest.h>

#include "support/zip_builder.h"

namespace palvetta {
namespace {

TEST(ZipDirectoryTest, ListsEntriesWithTheirData) {
  const std::string archive = BuildZipArchive({{"readme.txt", "hello", false},
                                               {"setup/Palvetta_Setup_v2.8.exe", "MZ program", true}});
  const auto entries = ReadZipDirectory(archive);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "readme.txt");
  EXPECT_EQ(entries[0].Method, kZipStored);
  EXPECT_EQ(ZipEntryData(archive, entries[0]), "hello");
  EXPECT_EQ(entries[1].Method, kZipDeflated);
  EXPECT_EQ(entries[1].UncompressedSize, 10u);
}

TEST(ZipDirectoryTest, FindsTheFirstEntryByFileNameIgnoringCaseAndFolders) {
  const std::string archive = BuildZipArchive({{"docs/", "", false},
                                               {"a\\b\\PALVETTA_setup_V2.8.EXE", "first", false},
                                               {"Palvetta_Setup_v2.8.exe", "second", false},
                                               {"Palvetta_Setup_v2.8.exe.txt", "third", false}});
  const auto entries = ReadZipDirectory(archive);
  const auto found = FindZipEntryByFileName(entries, "Palvetta_Setup_v2.8.exe");
  ASSERT_TRUE(found);
  EXPECT_EQ(ZipEntryData(archive, *found), "first");
  EXPECT_FALSE(FindZipEntryByFileName(entries, "Palvetta_Setup_v2.9.exe"));
  EXPECT_FALSE(FindZipEntryByFileName(entries, "docs"));
}

TEST(ZipDirectoryTest, DamagedArchivesRaiseInsteadOfReadingPastTheEnd) {
  const std::string good = BuildZipArchive({{"Palvetta_Setup_v2.8.exe", "MZ program data", false}});
  const std::size_t end = good.size() - 22;
  std::vector<std::pair<const char*, std::string>> damaged = {
      {"empty", ""},
      {"not a zip", std::string(100, 'x')},
      {"cut at the end", good.substr(0, good.size() - 1)},
      {"cut in the middle", good.substr(0, 20) + good.substr(end)},
  };
  auto patched = [&](std::size_t at, std::string bytes) {
    std::string copy = good;
    copy.replace(at, bytes.size(), bytes);
    return copy;
  };
  damaged.emplace_back("directory offset past the end", patched(end + 16, "\xff\xff\x00\x00"));
  damaged.emplace_back("directory size too large", patched(end + 12, "\xff\x00\x00\x00"));
  damaged.emplace_back("more entries than the directory holds", patched(end + 10, "\x05\x00"));
  const std::size_t directory = end - 46 - 23;
  damaged.emplace_back("data size past the end", patched(directory + 20, "\xff\xff\x00\x00"));
  damaged.emplace_back("local header offset wrong", patched(directory + 42, "\x05\x00\x00\x00"));
  damaged.emplace_back("name length past the directory", patched(directory + 28, "\xff\x00"));
  damaged.emplace_back("ZIP64 marker", patched(directory + 20, "\xff\xff\xff\xff"));
  damaged.emplace_back("local name length past the end", patched(26, "\xff\xff"));
  for (const auto& [what, bytes] : damaged) {
    SCOPED_TRACE(what);
    EXPECT_THROW(ReadZipDirectory(bytes), TZipFormatError);
  }
  EXPECT_EQ(ReadZipDirectory(good).size(), 1u);
}

}  // namespace
}  // namespace palvetta
