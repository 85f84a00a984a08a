#include "gui/actions.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace palvetta {
namespace {

TEST(AcceleratorTest, StripsMarkersAndFindsTheKey) {
  const struct {
    const char* caption;
    const char* text;
    char key;
  } cases[] = {
      {"&Open...", "Open...", 'O'},
      {"Save &as...", "Save as...", 'A'},
      {"Save && close", "Save & close", '\0'},
      {"&&Both &x", "&Both x", 'X'},
      {"No marker", "No marker", '\0'},
      {"Trailing&", "Trailing", '\0'},
      {"&1 recent", "1 recent", '1'},
      {"", "", '\0'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(StripAccelerator(c.caption), c.text);
    EXPECT_EQ(AcceleratorKey(c.caption), c.key);
  }
}

TEST(AcceleratorTest, MenuTextAddsTheShortcutAfterATab) {
  TAction action;
  action.Caption = "&Open...";
  EXPECT_EQ(MenuText(action), "&Open...");
  action.Shortcut = "Ctrl+O";
  EXPECT_EQ(MenuText(action), "&Open...\tCtrl+O");
}

TAction Named(const std::string& name) {
  TAction action;
  action.Name = name;
  action.Caption = name;
  return action;
}

TEST(ActionListTest, KeepsActionsByNameInOrder) {
  TActionList list;
  TAction& open = list.Add(Named("actOpen"));
  list.Add(Named("actSave"));
  list.Add(Named("actAbout"));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"actOpen", "actSave", "actAbout"}));
  EXPECT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.Find("actOpen"), &open);
  EXPECT_EQ(&list.Get("actOpen"), &open);  // stays put while later ones are added
  EXPECT_EQ(list.Find("actMissing"), nullptr);
  EXPECT_THROW(list.Get("actMissing"), std::out_of_range);
  const TActionList& constant = list;
  EXPECT_EQ(constant.Find("actSave"), list.Find("actSave"));
}

TEST(ActionListTest, RefusesEmptyAndRepeatedNames) {
  TActionList list;
  list.Add(Named("actOpen"));
  EXPECT_THROW(list.Add(Named("")), std::invalid_argument);
  EXPECT_THROW(list.Add(Named("actOpen")), std::invalid_argument);
  EXPECT_EQ(list.Size(), 1u);
}

TEST(ActionListTest, UpdateAllDerivesStateFromTheProgram) {
  bool hasProject = false;
  bool wrap = true;
  TActionList list;
  TAction save = Named("actSave");
  save.OnUpdate = [&](TAction& a) { a.Enabled = hasProject; };
  list.Add(save);
  TAction wrapLines = Named("actWrap");
  wrapLines.OnUpdate = [&](TAction& a) { a.Checked = wrap; };
  list.Add(wrapLines);
  list.Add(Named("actPlain"));  // no update callback: keeps its state

  list.UpdateAll();
  EXPECT_FALSE(list.Get("actSave").Enabled);
  EXPECT_TRUE(list.Get("actWrap").Checked);
  EXPECT_TRUE(list.Get("actPlain").Enabled);

  hasProject = true;
  wrap = false;
  list.UpdateAll();
  EXPECT_TRUE(list.Get("actSave").Enabled);
  EXPECT_FALSE(list.Get("actWrap").Checked);
}

TEST(ActionListTest, ExecuteRunsOnlyEnabledKnownActions) {
  const struct {
    const char* name;
    bool enabledByUpdate;
    TExecuteResult result;
    int runs;
  } cases[] = {
      {"actGo", true, TExecuteResult::erExecuted, 1},
      {"actGo", false, TExecuteResult::erDisabled, 0},
      {"actOther", true, TExecuteResult::erUnknown, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.enabledByUpdate ? " enabled" : " disabled"));
    int runs = 0;
    TActionList list;
    TAction go = Named("actGo");
    go.OnExecute = [&] { ++runs; };
    go.OnUpdate = [&](TAction& a) { a.Enabled = c.enabledByUpdate; };
    list.Add(go);
    EXPECT_EQ(list.Execute(c.name), c.result);
    EXPECT_EQ(runs, c.runs);
  }
}

// The state may have changed since the last idle update: Execute must not trust it.
TEST(ActionListTest, ExecuteRefreshesAStaleStateFirst) {
  bool allowed = true;
  int runs = 0;
  TActionList list;
  TAction go = Named("actGo");
  go.OnExecute = [&] { ++runs; };
  go.OnUpdate = [&](TAction& a) { a.Enabled = allowed; };
  list.Add(go);
  list.UpdateAll();
  ASSERT_TRUE(list.Get("actGo").Enabled);
  allowed = false;
  EXPECT_EQ(list.Execute("actGo"), TExecuteResult::erDisabled);
  EXPECT_EQ(runs, 0);
  EXPECT_FALSE(list.Get("actGo").Enabled);
}

TEST(ActionListTest, ADisabledActionWithoutUpdateStaysDisabled) {
  int runs = 0;
  TActionList list;
  TAction go = Named("actGo");
  go.Enabled = false;
  go.OnExecute = [&] { ++runs; };
  list.Add(go);
  EXPECT_EQ(list.Execute("actGo"), TExecuteResult::erDisabled);
  EXPECT_EQ(runs, 0);
  // An enabled action without an execute callback is harmless.
  list.Add(Named("actEmpty"));
  EXPECT_EQ(list.Execute("actEmpty"), TExecuteResult::erExecuted);
}

}  // namespace
}  // namespace palvetta
