#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace palvetta {
namespace {

using Paths = std::vector<std::string>;

TRecentFiles AfterAdding(const Paths& added) {
  TRecentFiles recent;
  for (const std::string& path : added) recent.Add(path);
  return recent;
}

TEST(RecentFiles, KeepsFourNewestFirstAndMovesARepeatToTheTop) {
  struct Case {
    Paths added;
    Paths expected;
  };
  const Case cases[] = {
      {{}, {}},
      {{"a.kwj"}, {"a.kwj"}},
      {{"a", "b", "c", "d"}, {"d", "c", "b", "a"}},
      {{"a", "b", "c", "d", "e"}, {"e", "d", "c", "b"}},
      {{"a", "b", "c", "a"}, {"a", "c", "b"}},
      {{"a", "b", "c", "d", "a"}, {"a", "d", "c", "b"}},
      // The same file spelled in other case counts once, as the newest spelling.
      {{"C:\\P\\x.kwj", "b", "c:\\p\\X.KWJ"}, {"c:\\p\\X.KWJ", "b"}},
      {{"\xC3\x84.kwj", "\xC3\xA4.kwj"}, {"\xC3\xA4.kwj"}},  // Ä, ä
      {{"a", "", "  ", "b"}, {"b", "a"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AfterAdding(c.added).Files(), c.expected) << ::testing::PrintToString(c.added);
  }
}

TEST(RecentFiles, CaptionsNumberTheFileNamesAndHintsHoldThePaths) {
  const TRecentFiles recent =
      AfterAdding({"C:x.kwj", "Tom & Jerry.kwj", "/home/user/b.kwj", "C:\\Projects\\a.kwj"});
  EXPECT_EQ(recent.Caption(0), "&1 a.kwj");
  EXPECT_EQ(recent.Hint(0), "C:\\Projects\\a.kwj");
  EXPECT_EQ(recent.Caption(1), "&2 b.kwj");
  EXPECT_EQ(recent.Caption(2), "&3 Tom && Jerry.kwj");
  EXPECT_EQ(recent.Caption(3), "&4 x.kwj");
  EXPECT_EQ(recent.Hint(3), "C:x.kwj");
  EXPECT_THROW(recent.Caption(4), std::out_of_range);
  EXPECT_THROW(recent.Hint(-1), std::out_of_range);
}

TEST(RecentFiles, FileNameWithoutFolder) {
  EXPECT_EQ(FileNameWithoutFolder("C:\\a\\b\\c.kwj"), "c.kwj");
  EXPECT_EQ(FileNameWithoutFolder("C:\\a/b\\c d.kwj"), "c d.kwj");
  EXPECT_EQ(FileNameWithoutFolder("\\\\server\\share\\x.kwj"), "x.kwj");
  EXPECT_EQ(FileNameWithoutFolder("/tmp/y.kwj"), "y.kwj");
  EXPECT_EQ(FileNameWithoutFolder("plain.kwj"), "plain.kwj");
  EXPECT_EQ(FileNameWithoutFolder("D:z.kwj"), "z.kwj");
  EXPECT_EQ(FileNameWithoutFolder("C:\\folder\\"), "");
}

TEST(RecentFiles, RoundTripsThroughTheStoreNewestAsOne) {
  TMemorySettingsStore store;
  for (const char* key : {"1", "2", "3", "4"}) store.WriteString("Recent", key, "old");

  const TRecentFiles written = AfterAdding({"c.kwj", "b.kwj", "a.kwj"});
  written.Write(store);
  EXPECT_EQ(store.RawValue("Recent", "1"), "a.kwj");
  EXPECT_EQ(store.RawValue("Recent", "3"), "c.kwj");
  EXPECT_EQ(store.RawValue("Recent", "4"), std::nullopt);

  TRecentFiles read;
  read.Read(store);
  EXPECT_EQ(read.Files(), written.Files());

  TRecentFiles().Write(store);
  EXPECT_TRUE(store.Empty());
}

TEST(RecentFiles, ReadingSkipsGapsAndSurvivesABrokenStore) {
  TMemorySettingsStore store;
  store.WriteString("Recent", "1", "one.kwj");
  store.WriteString("Recent", "3", "three.kwj");
  store.WriteString("Recent", "4", "ONE.kwj");  // a repeat: the newer "1" wins
  TRecentFiles read;
  read.Read(store);
  EXPECT_EQ(read.Files(), (Paths{"one.kwj", "three.kwj"}));

  store.FailReads = true;
  TRecentFiles none;
  none.Read(store);
  EXPECT_EQ(none.Count(), 0);

  store.FailWrites = true;
  EXPECT_THROW(read.Write(store), std::runtime_error);
}

}  // namespace
}  // namespace palvetta
