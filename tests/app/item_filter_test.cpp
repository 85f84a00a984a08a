#include "app/item_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/catalogue.h"

namespace palvetta {
namespace {

using Titles = std::vector<std::string>;

TItemFilter Filter(TCommandLevel level, TTextFilterType type, std::string text) {
  TItemFilter filter;
  filter.FCommandLevel = level;
  filter.FTextFilterType = type;
  filter.FText = std::move(text);
  return filter;
}

// The titles the filter lets through, over the whole catalogue in palette order.
Titles Passing(const TItemFilter& filter) {
  Titles titles;
  for (const TCatalogueEntry& entry : CatalogueEntries()) {
    if (filter.Passes(entry)) titles.emplace_back(entry.Title);
  }
  return titles;
}

// The categories the palette keeps: those with at least one passing entry.
Titles ShownCategories(const TItemFilter& filter) {
  Titles titles;
  const auto categories = CatalogueCategories();
  for (int c = 0; c < static_cast<int>(categories.size()); ++c) {
    for (const TCatalogueEntry& entry : CatalogueEntriesOf(c)) {
      if (filter.Passes(entry)) {
        titles.emplace_back(categories[static_cast<size_t>(c)].Title);
        break;
      }
    }
  }
  return titles;
}

TEST(ItemFilter, StartsWithEverythingShown) {
  const TItemFilter filter;
  EXPECT_EQ(filter.FCommandLevel, TCommandLevel::clAdmin);
  EXPECT_EQ(filter.FTextFilterType, TTextFilterType::tftByTitle);
  EXPECT_EQ(Passing(filter).size(), CatalogueEntries().size());
}

TEST(ItemFilter, LevelOffersItsEntriesAndTheEasierOnes) {
  using enum TCommandLevel;
  using enum TTextFilterType;
  for (const std::string text : {"", "   "}) {
    SCOPED_TRACE("text \"" + text + "\"");
    const TItemFilter basic = Filter(clBasic, tftByTitle, text);
    for (const TCatalogueEntry& entry : CatalogueEntries()) {
      EXPECT_EQ(basic.Passes(entry), entry.Level == clBasic) << entry.Title;
    }
    EXPECT_EQ(ShownCategories(basic),
              (Titles{"Files", "Directories", "System", "Console", "File System", "Misc"}));
    const TItemFilter advanced = Filter(clAdvanced, tftByTitle, text);
    for (const TCatalogueEntry& entry : CatalogueEntries()) {
      EXPECT_EQ(advanced.Passes(entry), entry.Level != clAdmin) << entry.Title;
    }
  }
}

TEST(ItemFilter, TextIsSearchedIgnoringAsciiCase) {
  using enum TCommandLevel;
  using enum TTextFilterType;
  struct Case {
    TCommandLevel level;
    TTextFilterType type;
    std::string text;
    Titles expected;
  };
  const Case cases[] = {
      {clAdmin, tftByTitle, "copy",
       {"Copy files", "Robust copy files", "Copy files and directory trees"}},
      {clAdmin, tftByCommand, "copy",
       {"Copy files", "Robust copy files", "Copy files and directory trees"}},
      {clBasic, tftByTitle, "COPY", {"Copy files"}},
      {clAdvanced, tftByCommand, "Copy",
       {"Copy files", "Robust copy files", "Copy files and directory trees"}},
      // Searched as typed: the leading blank must be in the title.
      {clAdmin, tftByTitle, " copy", {"Robust copy files"}},
      {clAdmin, tftByTitle, "copy ",
       {"Copy files", "Robust copy files", "Copy files and directory trees"}},
      {clAdmin, tftByTitle, "copy  ", {}},
      // Title, description and command together.
      {clAdmin, tftByTitlePlusCommand, "zip archive", {"Create archive", "Extract files"}},
      {clAdmin, tftByTitlePlusCommand, "7zip", {"Create archive", "Extract files"}},
      {clAdmin, tftByTitle, "7zip", {}},
      {clAdmin, tftByTitlePlusCommand, "comment. rem", {"Comment"}},
      {clAdmin, tftByTitlePlusCommand, "comment rem", {}},
      {clAdmin, tftByCommand, "mkdir, md", {"Create a directory"}},
      {clBasic, tftByCommand, "sc", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\" type " + std::to_string(static_cast<int>(c.type)) +
                 " level " + std::to_string(static_cast<int>(c.level)));
    EXPECT_EQ(Passing(Filter(c.level, c.type, c.text)), c.expected);
  }
}

TEST(ItemFilter, OnlyAsciiLettersFold) {
  const TItemFilter filter =
      Filter(TCommandLevel::clAdmin, TTextFilterType::tftByTitle, "\xC3\xA4");  // ä
  EXPECT_TRUE(filter.Passes("K\xC3\xA4se", "", "", TCommandLevel::clBasic));
  EXPECT_FALSE(filter.Passes("K\xC3\x84SE", "", "", TCommandLevel::clBasic));  // Ä
}

TEST(ItemFilter, PaletteNodeShowsTheCommandWhenThereIsOne) {
  EXPECT_EQ(PaletteNodeText("Copy files", "COPY"), "Copy files (COPY)");
  EXPECT_EQ(PaletteNodeText("Create a directory", "MKDIR, MD"), "Create a directory (MKDIR, MD)");
  EXPECT_EQ(PaletteNodeText("Bookmark", ""), "Bookmark");
  EXPECT_EQ(PaletteNodeText("Bookmark", " \t"), "Bookmark");
}

}  // namespace
}  // namespace palvetta
