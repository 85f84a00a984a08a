// The help file is built from its own table of topics; every catalogue entry must have
// its page there, under the same help id and with the same texts, or F1 on an item
// would open the wrong page or none.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/catalogue.h"
#include "base/text.h"

namespace palvetta {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, '\t')) fields.push_back(field);
  return fields;
}

TEST(HelpTopics, MatchTheCatalogueRowForRow) {
  std::ifstream file(PALVETTA_HELP_TOPICS);
  ASSERT_TRUE(file) << PALVETTA_HELP_TOPICS;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    rows.push_back(SplitTabs(line));
  }
  const auto entries = CatalogueEntries();
  ASSERT_EQ(rows.size(), entries.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<std::string>& row = rows[i];
    const TCatalogueEntry& entry = entries[i];
    SCOPED_TRACE(entry.ClassName);
    ASSERT_EQ(row.size(), 8u);
    EXPECT_EQ(row[0], std::to_string(entry.HelpId));
    EXPECT_EQ(row[1], entry.ClassName);
    EXPECT_EQ(row[4], entry.Title);
    EXPECT_EQ(row[5], entry.Command);
    EXPECT_EQ(row[7], entry.ShortDescr);
  }
}

}  // namespace
}  // namespace palvetta
