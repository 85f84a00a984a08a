// The compare, search, print, verify, sort and write-to-file dialogs as descriptions:
// their OK checks with messages and focus, the number ranges, the colour list, the
// FINDSTR pages, and the folder-list picker's round trip.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/folder_list.h"
#include "items/compare_search/compare_search_dialogs.h"
#include "items/compare_search/compare_search_items.h"
#include "support/editor_spec_lookup.h"

namespace palvetta {
namespace {

// What pressing OK reports, in order, as the dialog runs the checks: a failure that goes
// on lets the next checks run, any other ends them.
std::vector<TCheckFailure> Failures(const TEditorSpec& spec, TEditorValues values) {
  std::vector<TCheckFailure> failures;
  for (const TEditorCheck& check : spec.Checks) {
    const std::optional<TCheckFailure> failure = check(values);
    if (!failure) continue;
    failures.push_back(*failure);
    if (!failure->GoOn) break;
  }
  return failures;
}

std::vector<std::string> Shown(const std::vector<TCheckFailure>& failures) {
  std::vector<std::string> shown;
  for (const TCheckFailure& failure : failures) shown.push_back(failure.Message + " @" + failure.Focus);
  return shown;
}

TEST(CompareSearchEditors, FindChecksBothFieldsOneAfterTheOther) {
  const struct {
    const char* searchFor;
    const char* path;
    std::vector<std::string> shown;
  } cases[] = {
      {"", " ", {"Please enter a string to search for! @edtSearchFor", "Please enter path! @edtPath"}},
      {" \t", "a.txt", {"Please enter a string to search for! @edtSearchFor"}},
      {"x", "", {"Please enter path! @edtPath"}},
      {"x", "a.txt", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.searchFor) + "|" + c.path);
    TFindItem item;
    item.SearchFor = c.searchFor;
    item.Path = c.path;
    TEditorValues values;
    item.ToEditor(values);
    EXPECT_EQ(Shown(Failures(SpecOf(TFindItem::Class), values)), c.shown);
  }
}

TEST(CompareSearchEditors, WriteToFileChecksTheValueFirstAndStopsThere) {
  const struct {
    TWriteToFileMode mode;
    const char* varName;
    const char* text;
    const char* path;
    std::vector<std::string> shown;
  } cases[] = {
      {TWriteToFileMode::wtfVar, " ", "text", "", {"Please enter variable name! @edtVarName"}},
      {TWriteToFileMode::wtfText, "X", "", "", {"Please enter text! @edtText"}},
      {TWriteToFileMode::wtfVar, "X", "", "", {"Please enter file name! @edtPath"}},
      {TWriteToFileMode::wtfText, "", "t", " ", {"Please enter file name! @edtPath"}},
      {TWriteToFileMode::wtfText, "", "t", "out.txt", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.varName) + "|" + c.text + "|" + c.path);
    TWriteToFileItem item;
    item.Mode = c.mode;
    item.VarName = c.varName;
    item.Text = c.text;
    item.Path = c.path;
    TEditorValues values;
    item.ToEditor(values);
    EXPECT_EQ(Shown(Failures(SpecOf(TWriteToFileItem::Class), values)), c.shown);
  }
}

TEST(CompareSearchEditors, NumberRanges) {
  const int none = std::numeric_limits<int>::min();
  const int most = std::numeric_limits<int>::max();
  const struct {
    const TClass* cls;
    const char* field;
    int minimum;
    int maximum;
  } cases[] = {
      {&TSORTItem::Class, "sedN", 1, 65535},
      {&TSORTItem::Class, "sedM", 160, 2147483647},
      {&TSORTItem::Class, "sedREC", 128, 65535},
      {&TFCItem::Class, "sedMaxConsMismatches", none, most},
      {&TFCItem::Class, "sedNumberOfLinesAfterMismatch", none, most},
      {&TCompItem::Class, "sedFirstNLines", none, most},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    const TLayoutNode* node = NodeNamed(SpecOf(*c.cls).Layout, c.field);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Kind, TLayoutKind::lkNumber);
    EXPECT_EQ(node->Minimum, c.minimum);
    EXPECT_EQ(node->Maximum, c.maximum);
  }
}

TEST(CompareSearchEditors, FindStrHasTwoPagesAndTheSixteenColours) {
  const TEditorSpec& spec = SpecOf(TFindStrItem::Class);
  const TLayoutNode* pages = NodeNamed(spec.Layout, "pgcFindStr");
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->Kind, TLayoutKind::lkPages);
  ASSERT_EQ(pages->Children.size(), 2u);
  EXPECT_EQ(pages->Children[0].Text, "Search");
  EXPECT_EQ(pages->Children[1].Text, "Settings");
  EXPECT_NE(NodeNamed(pages->Children[0], "rbListOfFolders"), nullptr);
  EXPECT_NE(NodeNamed(pages->Children[1], "cmbTextColor"), nullptr);

  const TLayoutNode* colours = NodeNamed(spec.Layout, "cmbTextColor");
  EXPECT_EQ(colours->Entries,
            (TStrings{"Black ", "Blue  ", "Green ", "Aqua  ", "Red   ", "Purple", "Yellow", "White ",
                      "Gray", "Light Blue", "Light Green", "Light Aqua", "Light Red", "Light Purple",
                      "Light Yellow", "Bright White"}));
}

// Radio buttons clear each other without a click of their own: any radio click has to
// apply the rules again.
TEST(CompareSearchEditors, EveryRadioButtonReappliesTheRules) {
  const std::vector<std::string> triggers = RuleTriggers(SpecOf(TPrintItem::Class));
  EXPECT_EQ(triggers, (std::vector<std::string>{"rbToDefaultDevice", "rbToSelectedDevice"}));
  EXPECT_TRUE(RuleTriggers(SpecOf(TVerifyItem::Class)).empty());
}

TEST(FolderList, SplitsIntoLinesAndJoinsTheFoldersBack) {
  const TStrings lines = FolderListLines("C:\\a; ;C:\\b");
  EXPECT_EQ(lines, (TStrings{"C:\\a", " ", "C:\\b"}));
  EXPECT_EQ(FolderListOf(lines), "C:\\a;C:\\b");
  EXPECT_EQ(FolderListLines(""), TStrings{""});
  EXPECT_EQ(FolderListOf({"  D:\\x y  ", "", "\t", "E:\\"}), "D:\\x y;E:\\");
  EXPECT_EQ(FolderListOf({}), "");
}

}  // namespace
}  // namespace palvetta
