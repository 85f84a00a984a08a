#include "app/zip_entry_contents.h"

#include <gtest/gtest.h>

#include "support/zip_builder.h"

namespace palvetta {
namespace {

const std::string kText = "Palvetta setup " + std::string(3000, 'x') + " end";

TEST(ZipEntryContentsTest, ReadsStoredAndDeflatedEntries) {
  const std::string archive = BuildZipArchive({{"a.txt", kText, false}, {"b.txt", kText, true}, {"empty", "", true}});
  const auto entries = ReadZipDirectory(archive);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(ZipEntryContents(archive, entries[0]), kText);
  EXPECT_EQ(ZipEntryContents(archive, entries[1]), kText);
  EXPECT_EQ(ZipEntryContents(archive, entries[2]), "");
}

// The size and checksum fields come from the downloaded archive: a lie in them is damage,
// and a claimed size of gigabytes must not be allocated up front.
TEST(ZipEntryContentsTest, RefusesEntriesWhoseFieldsLie) {
  const std::string archive = BuildZipArchive({{"a.txt", kText, false}, {"b.txt", kText, true}});
  const TZipEntry stored = ReadZipDirectory(archive)[0];
  const TZipEntry deflated = ReadZipDirectory(archive)[1];
  struct Case {
    const char* what;
    TZipEntry entry;
  };
  std::vector<Case> cases;
  const auto add = [&](const char* what, TZipEntry entry, auto change) {
    change(entry);
    cases.push_back({what, entry});
  };
  add("claims gigabytes", deflated, [](TZipEntry& e) { e.UncompressedSize = uint64_t{1} << 40; });
  add("claims one byte less", deflated, [](TZipEntry& e) { --e.UncompressedSize; });
  add("claims one byte more", deflated, [](TZipEntry& e) { ++e.UncompressedSize; });
  add("stream cut short", deflated, [](TZipEntry& e) { e.CompressedSize /= 2; });
  add("wrong checksum", deflated, [](TZipEntry& e) { e.Crc32 ^= 1; });
  add("stored, wrong checksum", stored, [](TZipEntry& e) { e.Crc32 ^= 1; });
  add("stored, sizes differ", stored, [](TZipEntry& e) { e.UncompressedSize = uint64_t{1} << 40; });
  add("unknown compression", stored, [](TZipEntry& e) { e.Method = 12; });
  for (const Case& c : cases) EXPECT_THROW(ZipEntryContents(archive, c.entry), TZipFormatError) << c.what;
}

}  // namespace
}  // namespace palvetta
