#include "app/palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/application_model.h"
#include "items/misc/misc_items.h"

namespace palvetta {
namespace {

// The palette as text: categories and the root as they are, children indented.
std::vector<std::string> Outline(const std::vector<TPaletteNode>& nodes) {
  std::vector<std::string> lines;
  for (const TPaletteNode& node : nodes) {
    lines.push_back(node.Text);
    for (const TPaletteNode& child : node.Children) lines.push_back("  " + child.Text);
  }
  return lines;
}

TEST(Palette, ShowsCategoriesWithPassingEntriesThenTheSnippets) {
  TApplicationModel app;
  TSnippet& snippet = app.Snippets().AddSnippet("Header");
  snippet.Add<TREMItem>();

  TItemFilter filter;
  filter.FCommandLevel = TCommandLevel::clBasic;
  const std::vector<TPaletteNode> nodes = BuildPalette(app.Registry(), app.Snippets(), filter);
  // The other categories come and go with the item families there are.
  const auto misc = std::find_if(nodes.begin(), nodes.end(),
                                 [](const TPaletteNode& node) { return node.Text == "Misc"; });
  ASSERT_NE(misc, nodes.end());
  ASSERT_GE(nodes.size(), 2u);
  EXPECT_EQ(nodes.front().Text, "Files");
  EXPECT_EQ(Outline({*misc, nodes.back()}),
            (std::vector<std::string>{"Misc", "  Comment (REM)", "  Parameter",
                                      "  Set variable value (SET)", "  Declare a variable",
                                      "  Check batch file parameters", "Snippets", "  Header"}));
  const std::vector<std::string> outline = Outline(nodes);
  for (const char* entry : {"  Copy files (COPY)", "  Simple search for a string (FIND)",
                            "  Create a directory (MKDIR, MD)"}) {
    EXPECT_NE(std::find(outline.begin(), outline.end(), entry), outline.end()) << entry;
  }
  // Every node can find its way back to what it shows.
  const TPaletteNode& set = misc->Children[2];
  EXPECT_EQ(set.Kind, TPaletteNodeKind::pnEntry);
  EXPECT_EQ(app.Registry().Items(set.Category).Items(set.Entry).ItemClass->Name, "TSetVarValItem");
  EXPECT_EQ(set.ImageIndex, 37);
  EXPECT_TRUE(set.CanAdd());
  EXPECT_FALSE(misc->CanAdd());
  const TPaletteNode& root = nodes.back();
  EXPECT_EQ(root.Kind, TPaletteNodeKind::pnSnippetsRoot);
  EXPECT_EQ(root.ImageIndex, SnippetsRootImage);
  EXPECT_FALSE(root.CanAdd());
  EXPECT_EQ(root.Children[0].Snippet, 0);
  EXPECT_EQ(root.Children[0].ImageIndex, SnippetImage);
  EXPECT_TRUE(root.Children[0].CanAdd());
}

TEST(Palette, TheSnippetsRootStaysWhenNothingElsePasses) {
  TApplicationModel app;
  TItemFilter filter;
  filter.FText = "no such command";
  EXPECT_EQ(Outline(BuildPalette(app.Registry(), app.Snippets(), filter)),
            std::vector<std::string>{"Snippets"});
}

TEST(Palette, DropPositions) {
  const struct {
    std::optional<int> row;
    bool above;
    int count;
    int expected;
  } cases[] = {
      {0, true, 3, 0},              // above the first row: first
      {0, false, 3, 1},             // on the first row: second
      {2, false, 3, 3},             // on the last row: appended
      {1, true, 3, 1},
      {std::nullopt, false, 3, 3},  // on no row: appended
      {std::nullopt, false, 0, 0},  // an empty list
      {7, true, 3, 3},              // a row that no longer exists
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DropPosition(c.row, c.above, c.count), c.expected)
        << "row " << c.row.value_or(-1) << (c.above ? " above" : " on");
  }
}

}  // namespace
}  // namespace palvetta
