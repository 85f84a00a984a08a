#include "model/project.h"

#include <gtest/gtest.h>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

using testing::TTestCommandItem;

// A project of commands named by their text, for checking order.
class ProjectTest : public ::testing::Test {
 protected:
  TTestCommandItem& Add(const std::string& text, int index = -1) {
    auto& item = project.Add<TTestCommandItem>(index);
    item.Text = text;
    return item;
  }
  std::string Order() const {
    std::string order;
    for (int i = 0; i < project.Count(); ++i) {
      order += static_cast<TTestCommandItem&>(project.Items(i)).Text;
    }
    return order;
  }
  TProject project;
};

TEST_F(ProjectTest, AddItemInsertsOrAppends) {
  Add("a");
  Add("b");
  Add("c");
  Add("0", 0);
  Add("x", 4);  // one past the last: appended
  Add("y", 9);
  Add("1", 1);
  EXPECT_EQ(Order(), "01abcxy");
  EXPECT_EQ(project.Items(0).GUID, "");
  EXPECT_THROW(project.Items(7), std::out_of_range);
  EXPECT_THROW(project.Items(-1), std::out_of_range);
}

TEST_F(ProjectTest, AddItemsCopiesAtAPosition) {
  for (const char* t : {"a", "b", "c", "d"}) Add(t);
  TTestCommandItem source1, source2;
  source1.Text = "X";
  source1.GUID = "{g}";
  source2.Text = "Y";
  source2.Enabled = false;
  project.AddItems(2, {&source1, &source2});
  EXPECT_EQ(Order(), "abXYcd");
  EXPECT_EQ(project.Items(2).GUID, "{g}");
  EXPECT_FALSE(project.Items(3).Enabled);
  EXPECT_NE(&project.Items(2), &source1);  // copies, wired to the project
  EXPECT_NE(project.Items(2).ProjectLists(), nullptr);
  EXPECT_EQ(source1.ProjectLists(), nullptr);

  project.AddItems(-1, {&source1, &source2});
  EXPECT_EQ(Order(), "abXYcdXY");
}

TEST_F(ProjectTest, MoveAndDelete) {
  auto& a = Add("a");
  Add("b");
  auto& c = Add("c");
  project.MoveUp(a);
  project.MoveDown(c);
  EXPECT_EQ(Order(), "abc");
  project.MoveDown(a);
  EXPECT_EQ(Order(), "bac");
  project.MoveUp(c);
  EXPECT_EQ(Order(), "bca");
  project.DeleteItem(c);
  EXPECT_EQ(Order(), "ba");
  TTestCommandItem stranger;
  EXPECT_THROW(project.DeleteItem(stranger), std::invalid_argument);
  EXPECT_THROW(project.MoveUp(stranger), std::invalid_argument);
  EXPECT_EQ(Order(), "ba");
}

// A bookmark-like class derived from the bookmark, to show that lists take derived classes.
class TSpecialLabelItem : public TGotoLabelItem {
 public:
  PALVETTA_CLASS
};
PALVETTA_DEFINE_CLASS(TSpecialLabelItem, TGotoLabelItem);

TEST_F(ProjectTest, ListsForEditors) {
  project.Add<TGotoLabelItem>().Name = "L1";
  project.Add<TSubroutineItem>().Name = "S1";
  project.Add<TVariableItem>().Name = " spaced ";
  project.Add<TSpecialLabelItem>().Name = "L2";
  auto& disabled = project.Add<TVariableItem>();
  disabled.Enabled = false;
  auto& asker = Add("x");

  TItemList labels;
  asker.DoNeedLabelsList(labels);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(static_cast<TGotoLabelItem*>(labels[1])->Name, "L2");
  asker.DoNeedLabelsList(labels);  // adds without clearing
  EXPECT_EQ(labels.size(), 4u);

  TItemList subroutines;
  asker.DoNeedSubroutinesList(subroutines);
  EXPECT_EQ(subroutines.size(), 1u);

  TStrings vars{"stale"};
  asker.DoNeedVarList(vars);
  EXPECT_EQ(vars, (TStrings{" spaced ", ""}));

  TItemList all;
  project.ListItems(TCustomProjectItem::Class, all);
  EXPECT_EQ(all.size(), 6u);
}

TEST_F(ProjectTest, VarListOfAProjectWithoutVariablesIsEmptied) {
  auto& item = Add("x");
  TStrings vars{"left over"};
  item.DoNeedVarList(vars);
  EXPECT_TRUE(vars.empty());
}

TEST_F(ProjectTest, PositionAmongItemsOfAClass) {
  auto& first = project.Add<TParamItem>();
  Add("x");
  auto& second = project.Add<TParamItem>();
  auto& other = Add("y");
  EXPECT_EQ(second.ProjectLists()->PositionAmong(second, TParamItem::Class), 2);
  EXPECT_EQ(first.ProjectLists()->PositionAmong(first, TParamItem::Class), 1);
  EXPECT_EQ(other.ProjectLists()->PositionAmong(other, TParamItem::Class), 0);
}

}  // namespace
}  // namespace palvetta
