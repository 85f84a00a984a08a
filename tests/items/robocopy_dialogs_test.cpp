// The ROBOCOPY dialog as a description: the copy-flag check, how "+" splits what the
// exclude and include fields hold, the panels it starts with, and how the item takes the
// attribute boxes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "items/robocopy/robocopy_dialogs.h"
#include "items/robocopy/robocopy_item.h"
#include "model/project.h"
#include "support/editor_spec_lookup.h"
#include "support/fake_editor_dialog.h"

namespace palvetta {
namespace {

const TEditorSpec& RobocopySpec() {
  static const std::vector<TItemEditorSpec> specs = RobocopyEditorSpecs();
  return specs.front().Spec;
}

TEST(RobocopyEditorSpecTest, DefaultFileInfoNeedsACopyFlag) {
  struct TCase {
    int info;
    const char* checked;  // the one flag box checked, or none
    bool refused;
  };
  const TCase cases[] = {
      {0, nullptr, true},  {-1, nullptr, true}, {0, "cbxU", false},
      {0, "cbxD", false},  {1, nullptr, false}, {3, nullptr, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.info) + (c.checked ? c.checked : ""));
    TEditorValues values;
    values.SetIndex("cmbCopyFileInfo", c.info);
    for (const char* box : {"cbxD", "cbxA", "cbxT", "cbxS", "cbxO", "cbxU"}) {
      values.SetChecked(box, c.checked && std::string(box) == c.checked);
    }
    const std::optional<TCheckFailure> failure = RobocopySpec().Checks.at(0)(values);
    EXPECT_EQ(failure.has_value(), c.refused);
    if (failure) {
      EXPECT_EQ(failure->Message, "Please tick at least one box under \"What to copy for files\"!");
      EXPECT_EQ(failure->Focus, "cbxD");
    }
  }
}

TEST(RobocopyEditorSpecTest, PlusSplitsFileMasksButTakesAFolderWhole) {
  struct TCase {
    const char* list;
    const char* text;
    TStrings added;
  };
  const TCase cases[] = {
      {"lbxExcludeFiles", "*.tmp;*.bak;", {"*.tmp", "*.bak"}},
      {"lbxIF", "a.txt", {"a.txt"}},
      {"lbxIF", "a;;b", {"a", "", "b"}},
      {"lbxExcludeDirs", "C:\\a;b\\", {"C:\\a;b\\"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    const TListButtons* buttons = nullptr;
    for (const TListButtons& b : RobocopySpec().ListEditing) {
      if (b.List == c.list) buttons = &b;
    }
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(EntriesToAdd(*buttons, c.text), c.added);
  }
}

TEST(RobocopyEditorSpecTest, OnlyTheMainPanelStartsExpanded) {
  const TLayoutNode* group = NodeNamed(RobocopySpec().Layout, "pgpCategories");
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->Children.size(), 6u);
  for (const TLayoutNode& panel : group->Children) {
    EXPECT_EQ(panel.Collapsed, panel.Name != "pnlMain") << panel.Name;
  }
}

TEST(RobocopyEditorSpecTest, CollapseAllCollapsesEveryPanel) {
  testing::TFakeEditorDialog dialog(RobocopySpec());
  EXPECT_EQ(dialog.PanelCollapses, 0);
  EXPECT_TRUE(dialog.Click("btnCollapseAll"));
  EXPECT_EQ(dialog.PanelCollapses, 1);
}

TEST(RobocopyEditorSpecTest, LevelsFollowTheFourthSubdirectoryMode) {
  const TEnableRule& rule = RobocopySpec().Enabling.front();
  EXPECT_EQ(rule.CheckBox, "cmbRCSubDirMode");
  EXPECT_EQ(rule.WhenIndex, 3);
  EXPECT_EQ(rule.Controls, (std::vector<std::string>{"lblNLevels", "sedNLevels"}));
}

// The add and clear boxes stop at temporary: offline, only possible from a file, is
// dropped when the dialog is confirmed, while the selection sets keep it.
TEST(RobocopyEditorSpecTest, ConfirmingDropsOfflineOnlyFromAddAndClear) {
  TProject project;
  auto& item = static_cast<TRobocopyItem&>(project.AddItem(TRobocopyItem::Class, -1));
  const uint32_t offline = MemberOf(TRCFileAttr::attrO);
  const uint32_t hidden = MemberOf(TRCFileAttr::attrH);
  item.AddAttrs = item.ClearAttrs = item.InclWithAttr = item.ExclWithAttr = offline | hidden;
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxAddAttrsH"));
  EXPECT_FALSE(values.Has("cbxAddAttrsO"));
  EXPECT_TRUE(values.Checked("cbxExclWithAttrO"));
  item.FromEditor(values);
  EXPECT_EQ(item.AddAttrs, hidden);
  EXPECT_EQ(item.ClearAttrs, hidden);
  EXPECT_EQ(item.InclWithAttr, offline | hidden);
  EXPECT_EQ(item.ExclWithAttr, offline | hidden);
}

}  // namespace
}  // namespace palvetta
