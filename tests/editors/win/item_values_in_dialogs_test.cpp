// The values of real items through the dialog toolkit: what an item copies into its
// editor's values fills the controls, and what the controls give back makes the item again.

#include "gui/win/dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "support/sample_dialog_options.h"
#include "support/sample_dialogs.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class ItemValuesInDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }
};

TEST_F(ItemValuesInDialogsTest, ParameterItemValuesGoInAndComeBack) {
  TParamItem item;
  item.Name = "Target";
  // As a memo gives it back: lines ended by CR LF.
  item.Descr = "Where to copy\r\nthe files\r\n";
  item.ParamCheck = TParamCheck::pcPathMustExist;
  TEditorValues values;
  item.ToEditor(values);

  TDialog dialog(ParameterDialog(), ParameterOptions());
  dialog.Fill(values);
  EXPECT_EQ(dialog.Text("edtName"), "Target");
  EXPECT_EQ(dialog.Text("memDescr"), item.Descr);
  EXPECT_EQ(SendMessageW(dialog.Control("memDescr"), EM_GETLINECOUNT, 0, 0), 3);
  dialog.SetText("memDescr", "lone\nline feeds\n");  // shown as line breaks too
  EXPECT_EQ(dialog.Text("memDescr"), "lone\r\nline feeds\r\n");
  dialog.SetText("memDescr", item.Descr);
  EXPECT_EQ(dialog.Index("cmbCheck"), 2);
  EXPECT_EQ(dialog.Text("cmbCheck"), "Path must exist");

  dialog.SetText("edtName", "Source");
  dialog.SetIndex("cmbCheck", 1);
  TEditorValues back;
  dialog.Read(back);
  EXPECT_FALSE(back.Has("lblName"));
  EXPECT_FALSE(back.Has("btnOK"));
  TParamItem edited;
  edited.FromEditor(back);
  EXPECT_EQ(edited.Name, "Source");
  EXPECT_EQ(edited.Descr, item.Descr);
  EXPECT_EQ(edited.ParamCheck, TParamCheck::pcRequired);
}

TEST_F(ItemValuesInDialogsTest, EverySubroutineParameterRowGoesInAndComesBack) {
  TDialog dialog(SubroutineGridDialog(), SubroutineOptions());
  // More rows than a grid shows by default: none may be lost.
  TSubroutineItem item;
  for (int i = 0; i < 150; ++i) {
    TRunParam& param = item.RunParams.Add();
    param.Param = "P" + std::to_string(i);
    param.Descr = "Parameter number " + std::to_string(i);
    param.ParamCheck = static_cast<TParamCheck>(i % 4);
  }
  TEditorValues values;
  item.ToEditor(values);
  values.SetChoices("vstDispatcher", {"sub1", "label2"});
  values.SetRows("vstDispatcher", {});
  dialog.Fill(values);
  TEditGrid& grid = dialog.EditGrid("vstParams");
  EXPECT_EQ(grid.GetRowCount(), 150);
  EXPECT_EQ(grid.GetCell(0, 149), "P149");
  EXPECT_EQ(grid.GetCell(2, 149), "1");
  EXPECT_EQ(ListViewCellText(grid.Handle(), 2, 149), "Required");
  EXPECT_EQ(grid.GetCellInt(2, 149), 1);
  // A grid's choices are what its pick-text columns offer.
  TEditGrid& targets = dialog.EditGrid("vstDispatcher");
  targets.EditCell(1, 0);
  EXPECT_EQ(SendMessageW(targets.Editor(), CB_GETCOUNT, 0, 0), 2);
  targets.CancelEdit();

  TEditorValues back;
  dialog.Read(back);
  EXPECT_EQ(back.Rows("vstParams").size(), 150u);
  TSubroutineItem edited;
  edited.FromEditor(back);
  ASSERT_EQ(edited.RunParams.Count(), 150u);
  for (std::size_t i = 0; i < 150; ++i) {
    EXPECT_EQ(edited.RunParams[i].Param, item.RunParams[i].Param);
    EXPECT_EQ(edited.RunParams[i].Descr, item.RunParams[i].Descr);
    EXPECT_EQ(edited.RunParams[i].ParamCheck, item.RunParams[i].ParamCheck);
  }

  // Fewer rows: the grid still offers 100, empty below the given ones, in order.
  values.SetRows("vstParams", {{"a", "b", "3"}});
  values.SetRows("vstDispatcher", {{"a", "sub1", "x"}, {"", "", ""}, {"c", "label2"}});
  dialog.Fill(values);
  EXPECT_EQ(dialog.Rows("vstParams").at(99), (TStrings{"", "", "0"}));
  const TGridRows rows = dialog.Rows("vstDispatcher");
  ASSERT_EQ(rows.size(), 100u);
  EXPECT_EQ(rows[0], (TStrings{"a", "sub1", "x"}));
  EXPECT_EQ(rows[2], (TStrings{"c", "label2", ""}));
  EXPECT_EQ(rows[99], (TStrings{"", "", ""}));
}

}  // namespace
}  // namespace palvetta
