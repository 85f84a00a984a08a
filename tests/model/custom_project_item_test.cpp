#include "model/custom_project_item.h"

#include <gtest/gtest.h>

#include "items/misc/misc_items.h"
#include "model/system_items.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

TEST(CustomProjectItem, FreshItemDefaults) {
  TREMItem item;
  EXPECT_TRUE(item.Enabled);
  EXPECT_EQ(item.GUID, "");
  EXPECT_EQ(item.RedirectTo, "");
  EXPECT_FALSE(item.Overwrite);
  EXPECT_EQ(item.ProjectLists(), nullptr);
  EXPECT_EQ(item.GenerationHooks(), nullptr);
}

TEST(CustomProjectItem, HooksOutsideAProjectAndARunDoNothing) {
  TREMItem item;
  TItemList list;
  item.DoNeedLabelsList(list);
  item.DoNeedSubroutinesList(list);
  item.DoNeedParamList(list);
  EXPECT_TRUE(list.empty());
  TStrings vars;
  item.DoNeedVarList(vars);
  EXPECT_TRUE(vars.empty());
  item.DoNeedToAppendLines({"x"});
  item.DoAddSystemItem(TSys7Zip::Class);
}

class NoHooks : public IGenerationHooks {
 public:
  void NeedSaveFile(const TStrings&, std::string&) override {}
  void AppendLines(const TStrings&) override {}
  void GetParamList(TItemList&) override {}
  void AddSystemItem(const TClass&) override {}
};

TEST(CustomProjectItem, AssignCopiesEveryPublishedPropertyButNoHooks) {
  testing::TAllKindsItem source;
  source.Enabled = false;
  source.RedirectTo = "log.txt";
  source.Overwrite = true;
  source.GUID = "{1234}";
  source.Number = -5;
  source.Small = 200;
  source.Drive = u'Q';
  source.Label = "  spaced  ";
  source.Check = TParamCheck::pcPathMustNOTExist;
  source.Attributes = 0b010;
  source.When = 0.75;
  source.Day = -3;
  source.Moment = 1e-300;
  source.Lines = {"", "second", ""};
  source.Params.Clear();
  source.Params.Add().Param = "A";
  source.Params.Add().Descr = "line 1\r\nline 2";

  NoHooks hooks;
  source.SetGenerationHooks(&hooks);
  testing::TAllKindsItem target;
  target.Assign(source);

  EXPECT_FALSE(target.Enabled);
  EXPECT_EQ(target.RedirectTo, "log.txt");
  EXPECT_TRUE(target.Overwrite);
  EXPECT_EQ(target.GUID, "{1234}");
  EXPECT_EQ(target.Number, -5);
  EXPECT_EQ(target.Small, 200);
  EXPECT_EQ(target.Drive, u'Q');
  EXPECT_EQ(target.Label, "  spaced  ");
  EXPECT_EQ(target.Check, TParamCheck::pcPathMustNOTExist);
  EXPECT_EQ(target.Attributes, 0b010u);
  EXPECT_EQ(target.When, 0.75);
  EXPECT_EQ(target.Day, -3);
  EXPECT_EQ(target.Moment, 1e-300);
  EXPECT_EQ(target.Lines, source.Lines);
  ASSERT_EQ(target.Params.Count(), 2u);
  EXPECT_EQ(target.Params[0].Param, "A");
  EXPECT_EQ(target.Params[1].Descr, "line 1\r\nline 2");
  EXPECT_EQ(target.GenerationHooks(), nullptr);
}

TEST(CustomProjectItem, AssignAcrossClassesMatchesPropertiesByName) {
  TParamItem param;
  param.Name = "Source";
  param.Descr = "d";
  param.Enabled = false;
  TVariableItem variable;
  variable.Assign(param);
  EXPECT_EQ(variable.Name, "Source");
  EXPECT_EQ(variable.Descr, "d");
  EXPECT_FALSE(variable.Enabled);

  TREMItem comment;
  comment.Text = "kept";
  comment.Assign(param);  // no property Text in the source: the value stays
  EXPECT_EQ(comment.Text, "kept");
}

TEST(SystemProjectItem, IsDisabledAndHeadPositioned) {
  TSys7Zip zip;
  TSysDateOrder date;
  EXPECT_FALSE(zip.Enabled);
  EXPECT_EQ(zip.GUID, "");
  EXPECT_EQ(zip.Pos(), TSystemProjectItemPos::sppHead);
  EXPECT_EQ(date.Pos(), TSystemProjectItemPos::sppHead);
}

}  // namespace
}  // namespace palvetta
