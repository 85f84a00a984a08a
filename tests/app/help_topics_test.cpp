// The palette's catalogue and the help file's topics are both generated from the one
// catalogue file. These tests read that file themselves and hold the compiled table to it
// field for field, so that an entry's help id, texts, level and image reach the program
// exactly as the help file has them; and they feed the generator the characters it must
// escape.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/catalogue.h"

namespace palvetta {
namespace escaping {
// kCategories and kEntries generated from tests/help/escaping_catalogue.tsv.
#include "escaping_catalogue_table.inc"
}  // namespace escaping

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  while (true) {
    const std::string::size_type tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// The rows of the catalogue file that are not comments, split at tabs.
std::vector<std::vector<std::string>> ReadRows(const char* path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    rows.push_back(SplitTabs(line));
  }
  return rows;
}

TEST(HelpTopics, TheCompiledCatalogueIsTheCatalogueFileFieldForField) {
  const std::map<std::string, TCommandLevel> levels = {{"Basic", TCommandLevel::clBasic},
                                                       {"Advanced", TCommandLevel::clAdvanced},
                                                       {"Super pro", TCommandLevel::clAdmin}};
  const auto categories = CatalogueCategories();
  const auto entries = CatalogueEntries();
  size_t category = 0;
  size_t entry = 0;
  std::vector<int> entryCounts;  // of each category, as the file has them
  for (const std::vector<std::string>& row : ReadRows(PALVETTA_CATALOGUE_FILE)) {
    if (row[0] == "category") {
      ASSERT_EQ(row.size(), 3u);
      ASSERT_LT(category, categories.size()) << row[2];
      EXPECT_EQ(std::to_string(categories[category].ImageIndex), row[1]);
      EXPECT_EQ(categories[category].Title, row[2]);
      ++category;
      entryCounts.push_back(0);
      continue;
    }
    ASSERT_EQ(row.size(), 8u) << row[0];
    ASSERT_LT(entry, entries.size()) << row[1];
    ASSERT_FALSE(entryCounts.empty()) << row[1];
    ++entryCounts.back();
    const TCatalogueEntry& compiled = entries[entry++];
    SCOPED_TRACE(row[1]);
    EXPECT_EQ(std::to_string(compiled.HelpId), row[0]);
    EXPECT_EQ(compiled.ClassName, row[1]);
    EXPECT_EQ(compiled.Title, row[3]);
    EXPECT_EQ(compiled.Command, row[4]);
    ASSERT_TRUE(levels.contains(row[5])) << row[5];
    EXPECT_EQ(compiled.Level, levels.at(row[5]));
    EXPECT_EQ(std::to_string(compiled.ImageIndex), row[6]);
    EXPECT_EQ(compiled.ShortDescr, row[7]);
  }
  EXPECT_EQ(category, categories.size());
  EXPECT_EQ(entry, entries.size());
  for (size_t c = 0; c < entryCounts.size(); ++c) {
    EXPECT_EQ(categories[c].EntryCount, entryCounts[c]) << categories[c].Title;
  }
}

TEST(HelpTopics, TheGeneratedTableCarriesEveryCharacterExactly) {
  using escaping::kCategories;
  using escaping::kEntries;
  ASSERT_EQ(std::size(kCategories), 2u);
  EXPECT_EQ(kCategories[0].Title, "Quotes \"and\" \\back\\slashes\\");
  EXPECT_EQ(kCategories[0].ImageIndex, 3);
  EXPECT_EQ(kCategories[0].EntryCount, 2);
  EXPECT_EQ(kCategories[1].Title, "\xC3\x9Cn\xC3\xAF" "code; [x]");
  EXPECT_EQ(kCategories[1].EntryCount, 1);

  struct TExpected {
    std::string_view ClassName, Title, Command;
    TCommandLevel Level;
    int ImageIndex, HelpId;
    std::string_view ShortDescr;
  };
  const TExpected expected[] = {
      {"TFirstItem", "Say \"hi\" to C:\\dir\\ & <you>", "A;B, [C]", TCommandLevel::clAdmin, 5, 1,
       "Na\xC3\xAFve caf\xC3\xA9" "7 \xE2\x80\x94 100% \\n ?? \\"},
      {"TSecondItem", "Plain", " ", TCommandLevel::clBasic, 0, 2, ""},
      {"TThirdItem", "\\\"\\\\", "\\", TCommandLevel::clAdvanced, 126, 3, "\\101"},
  };
  ASSERT_EQ(std::size(kEntries), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].ClassName);
    EXPECT_EQ(kEntries[i].ClassName, expected[i].ClassName);
    EXPECT_EQ(kEntries[i].Title, expected[i].Title);
    EXPECT_EQ(kEntries[i].Command, expected[i].Command);
    EXPECT_EQ(kEntries[i].Level, expected[i].Level);
    EXPECT_EQ(kEntries[i].ImageIndex, expected[i].ImageIndex);
    EXPECT_EQ(kEntries[i].HelpId, expected[i].HelpId);
    EXPECT_EQ(kEntries[i].ShortDescr, expected[i].ShortDescr);
  }
}

}  // namespace
}  // namespace palvetta
