// The console dialogs as descriptions: the OK checks of TYPE, CHCP and GRAFTABL with
// their messages and focus, PROMPT's special codes beside their names, and the code-page
// lists.

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "items/console/code_pages.h"
#include "items/console/console_dialogs.h"
#include "items/console/console_items.h"
#include "support/editor_spec_lookup.h"
#include "support/fake_editor_dialog.h"

namespace palvetta {
namespace {

// The message and focus of the first failing check, or "" when OK closes the dialog.
std::string FirstFailure(const TEditorSpec& spec, TEditorValues values) {
  for (const TEditorCheck& check : spec.Checks) {
    if (const std::optional<TCheckFailure> failure = check(values)) {
      return failure->Message + " @" + failure->Focus;
    }
  }
  return "";
}

TEST(ConsoleEditors, CHCPTakesAChosenEntryATypedNumberOrNothing) {
  const std::string refused =
      "Please choose a code page in the list or type its number, for example 850. @cmbCodePage";
  const struct {
    const char* typed;
    std::string failure;
  } cases[] = {
      {"1252", ""},  {"65001 (UTF-8)", ""}, {"", ""},         {"   ", ""},
      {"cp850", refused}, {"70000", refused}, {"0", refused},
  };
  for (const auto& c : cases) {
    TEditorValues values;
    values.SetText("cmbCodePage", c.typed);
    EXPECT_EQ(FirstFailure(SpecOf(TCHCPItem::Class), values), c.failure) << c.typed;
  }
}

TEST(ConsoleEditors, GraftablNeedsAnEntryOnlyToSetACodePage) {
  TEditorValues values;
  values.SetChecked("rbSetCodePage", true);
  values.SetChecked("rbStatus", false);
  values.SetIndex("cmbCodePage", -1);
  EXPECT_EQ(FirstFailure(SpecOf(TGraphTablItem::Class), values), "Please choose a code page. @cmbCodePage");
  values.SetIndex("cmbCodePage", 0);
  EXPECT_EQ(FirstFailure(SpecOf(TGraphTablItem::Class), values), "");
  values.SetIndex("cmbCodePage", -1);
  values.SetChecked("rbSetCodePage", false);
  values.SetChecked("rbStatus", true);
  EXPECT_EQ(FirstFailure(SpecOf(TGraphTablItem::Class), values), "");
  // The list is usable only while "Select code page" is chosen.
  ASSERT_EQ(SpecOf(TGraphTablItem::Class).Enabling.size(), 1u);
  EXPECT_EQ(SpecOf(TGraphTablItem::Class).Enabling[0].CheckBox, "rbSetCodePage");
  EXPECT_EQ(SpecOf(TGraphTablItem::Class).Enabling[0].Controls, TStrings{"cmbCodePage"});
}

TEST(ConsoleEditors, TypeNeedsAFileName) {
  TEditorValues values;
  values.SetText("edtPath", " ");
  EXPECT_EQ(FirstFailure(SpecOf(TTypeItem::Class), values), "Please select file name! @edtPath");
  values.SetText("edtPath", "a.txt");
  EXPECT_EQ(FirstFailure(SpecOf(TTypeItem::Class), values), "");
}

// "Insert" puts the code beside the chosen name in place of the prompt's selection.
TEST(ConsoleEditors, PromptCodesStandBesideTheirNames) {
  const TEditorSpec& spec = SpecOf(TPromptItem::Class);
  const TLayoutNode* list = NodeNamed(spec.Layout, "cmbSpecialCode");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Entries.size(), 19u);
  const struct {
    size_t index;
    const char* name;
    const char* code;
  } samples[] = {
      {0, "& (Ampersand)", "$A"},
      {10, "Current drive and path", "$P"},
      {15, "Carriage return and linefeed", "$_"},
      {16, "$ (dollar sign)", "$$"},
      {18, "Remote name associated with the current drive letter.", "$M"},
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(list->Entries[s.index], s.name);
    testing::TFakeEditorDialog dialog(spec);
    dialog.Texts["edtPrompt"] = "[old]>";
    dialog.Selections["edtPrompt"] = {1, 3};
    dialog.Indexes["cmbSpecialCode"] = static_cast<int>(s.index);
    ASSERT_TRUE(dialog.Click("btnInsert"));
    EXPECT_EQ(dialog.Texts["edtPrompt"], std::string("[") + s.code + "]>");
    EXPECT_EQ(dialog.Focused, "edtPrompt");
  }
}

TEST(ConsoleEditors, InsertWithoutAChosenCodeLeavesThePrompt) {
  for (const int index : {-1, 19}) {
    testing::TFakeEditorDialog dialog(SpecOf(TPromptItem::Class));
    dialog.Texts["edtPrompt"] = "$P$G";
    dialog.Indexes["cmbSpecialCode"] = index;
    ASSERT_TRUE(dialog.Click("btnInsert"));
    EXPECT_EQ(dialog.Texts["edtPrompt"], "$P$G") << index;
    EXPECT_EQ(dialog.Focused, "") << index;
  }
}

TEST(ConsoleEditors, CodePageListsShowTheirEntriesWhenDropped) {
  const TLayoutNode* chcp = NodeNamed(SpecOf(TCHCPItem::Class).Layout, "cmbCodePage");
  const TLayoutNode* graftabl = NodeNamed(SpecOf(TGraphTablItem::Class).Layout, "cmbCodePage");
  ASSERT_TRUE(chcp && graftabl);
  EXPECT_EQ(chcp->Entries, TStrings(std::begin(kCHCPCodePages), std::end(kCHCPCodePages)));
  EXPECT_EQ(chcp->Lines, 16);
  EXPECT_EQ(graftabl->Entries.size(), 11u);
  EXPECT_EQ(graftabl->Lines, 12);
  EXPECT_EQ(SpecOf(TCHCPItem::Class).TypedCombos, TStrings{"cmbCodePage"});
  EXPECT_TRUE(SpecOf(TGraphTablItem::Class).TypedCombos.empty());
}

}  // namespace
}  // namespace palvetta
