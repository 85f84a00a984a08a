#include <gtest/gtest.h>

#include <string>

#include "base/xml_document.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "model/field_table.h"
#include "model/project.h"
#include "model/property_mapping.h"
#include "support/sample_items.h"

namespace palvetta {
namespace {

std::string PropertiesOf(TCustomProjectItem& item) {
  TXmlDocument document("item");
  WriteProperties(item, document.Root());
  return WriteXmlDocument(document, "UTF-8");
}

// Whether a row of the class's field table names an editor control.
bool ClassBindsControls(const TClass& cls) {
  bool binds = false;
  ForEachField(cls, [&](const TField& row) { binds = binds || row.InEditor(); });
  return binds;
}

// Opens the editor on the item and confirms it unchanged.
void ConfirmUnchanged(TCustomProjectItem& item) {
  TEditorValues values;
  item.ToEditor(values);
  item.FromEditor(values);
}

// Confirming a dialog without touching it keeps every property, for a fresh item and
// for the sample item, which has a value in every field the dialog shows (less what the
// dialog does not show, or shows chosen for a blank value). (Items without a dialog take
// part too: for them it holds trivially.)
TEST(EditorMapping, ConfirmingKeepsEveryValue) {
  for (const testing::TSampleItem& sample : testing::SampleItems()) {
    SCOPED_TRACE(std::string(sample.Class->Name));
    TProject project;
    TCustomProjectItem& fresh = project.AddItem(*sample.Class, -1);
    TCustomProjectItem& freshExpected = project.AddItem(*sample.Class, -1);
    sample.ResetByEditor(freshExpected);
    const std::string before = PropertiesOf(freshExpected);
    ConfirmUnchanged(fresh);
    EXPECT_EQ(PropertiesOf(fresh), before);

    TCustomProjectItem& filled = project.AddItem(*sample.Class, -1);
    sample.Fill(filled);
    TCustomProjectItem& expected = project.AddItem(*sample.Class, -1);
    sample.Fill(expected);
    sample.ResetByEditor(expected);
    ConfirmUnchanged(filled);
    EXPECT_EQ(PropertiesOf(filled), PropertiesOf(expected));
  }
}

TEST(EditorMapping, ItemsWithoutSettingsHaveNoEditor) {
  for (const TClass* cls : {&TCheckParamsItem::Class, &TElseItem::Class, &TIfEndItem::Class,
                            &TPopdItem::Class, &TEndLocalItem::Class, &TSubroutineEndItem::Class,
                            &TFOREndItem::Class}) {
    EXPECT_FALSE(ClassBindsControls(*cls)) << cls->Name;
  }
}

TEST(EditorMapping, MultiLineFieldsComeBackAsLines) {
  TREMItem comment;
  TEditorValues values;
  values.SetText("memText", "first\r\nsecond");
  comment.FromEditor(values);
  EXPECT_EQ(comment.Text, "first\r\nsecond\r\n");

  TParamItem param;
  param.ToEditor(values);
  values.SetText("edtName", "  Source ");
  values.SetText("memDescr", "what");
  param.FromEditor(values);
  EXPECT_EQ(param.Name, "Source");
  EXPECT_EQ(param.Descr, "what\r\n");
}

TEST(EditorMapping, ParameterNumberAmongTheProjectsParameters) {
  TProject project;
  project.Add<TParamItem>();
  project.Add<TREMItem>();
  auto& second = project.Add<TParamItem>();
  TEditorValues values;
  second.ToEditor(values);
  EXPECT_EQ(values.Index("ParamNumber"), 2);
  TParamItem loose;
  loose.ToEditor(values);
  EXPECT_EQ(values.Index("ParamNumber"), 0);
}

TEST(EditorMapping, ListsOfferTheProjectsNames) {
  TProject project;
  project.Add<TGotoLabelItem>().Name = "First";
  project.Add<TGotoLabelItem>().Name = "  ";
  auto& disabled = project.Add<TGotoLabelItem>();
  disabled.Name = "Off";
  disabled.Enabled = false;
  project.Add<TSubroutineItem>().Name = "Sub";
  project.Add<TVariableItem>().Name = "Choice";
  auto& go = project.Add<TGotoItem>();
  auto& dispatcher = project.Add<TSubroutineDispatcherItem>();

  TEditorValues values;
  go.ToEditor(values);
  EXPECT_EQ(values.Choices("cmbLabel"), (TStrings{"First", "Off"}));
  dispatcher.ToEditor(values);
  EXPECT_EQ(values.Choices("cmbVarName"), TStrings{"Choice"});
  EXPECT_EQ(values.Choices("vstDispatcher"), (TStrings{"Sub", "First", "  ", "Off"}));
}

TEST(EditorMapping, ExitCodeOnlyWithTheBox) {
  TExitItem exit;
  exit.ErrorCode = " 3 ";
  TEditorValues values;
  exit.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxSetExitCode"));
  EXPECT_EQ(values.Text("edtExitCode"), "3");
  exit.FromEditor(values);
  EXPECT_EQ(exit.ErrorCode, "3");
  values.SetChecked("cbxSetExitCode", false);
  exit.FromEditor(values);
  EXPECT_EQ(exit.ErrorCode, "");
}

TEST(EditorMapping, StartNodeOnlyWithTheBox) {
  TStartItem start;
  start.Node = 4;  // a node above 0 counts as chosen even without UseNode
  TEditorValues values;
  start.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxNode"));
  values.SetChecked("cbxNode", false);
  start.FromEditor(values);
  EXPECT_FALSE(start.UseNode);
  EXPECT_EQ(start.Node, 0);
  EXPECT_EQ(start.GetBatchText().find("/NODE"), std::string::npos);
}

TEST(EditorMapping, GridRowsWithoutAFirstCellAreDropped) {
  TSubroutineItem sub;
  TEditorValues values;
  sub.ToEditor(values);
  values.SetRows("vstParams", {{"A", "first", "1"}, {"  ", "ignored", "2"}, {"B", "", "9"}, {}});
  sub.FromEditor(values);
  ASSERT_EQ(sub.RunParams.Count(), 2u);
  EXPECT_EQ(sub.RunParams[0].ParamCheck, TParamCheck::pcRequired);
  EXPECT_EQ(sub.RunParams[1].Param, "B");
  EXPECT_EQ(sub.RunParams[1].ParamCheck, TParamCheck::pcNoCheck);  // no such check

  TSubroutineDispatcherItem dispatcher;
  dispatcher.ToEditor(values);
  values.SetRows("vstDispatcher", {{"1", "A", "x"}, {"", "B", "y"}, {"3"}});
  dispatcher.FromEditor(values);
  ASSERT_EQ(dispatcher.Dispatcher.Count(), 2u);
  EXPECT_EQ(dispatcher.Dispatcher[1].Value, "3");
  EXPECT_EQ(dispatcher.Dispatcher[1].SubOrLabel, "");
}

TEST(EditorMapping, CmdRadioButtons) {
  TCMDItem cmd;
  TEditorValues values;
  cmd.ToEditor(values);
  EXPECT_TRUE(values.Checked("rbnTerminate"));
  EXPECT_FALSE(values.Checked("rbnRemain"));
  values.SetChecked("rbnTerminate", false);
  values.SetChecked("rbnRemain", true);
  cmd.FromEditor(values);
  EXPECT_EQ(cmd.CMDRemainTerminate, TCMDRemainTerminate::stRemain);
}

TEST(EditorValues, AMissingFieldIsABindingFault) {
  TEditorValues values;
  values.SetText("edtName", "x");
  EXPECT_THROW(values.Checked("edtName"), std::logic_error);
  EXPECT_THROW(values.Text("edtOther"), std::logic_error);
  EXPECT_THROW(values.Choices("edtName"), std::logic_error);
}

}  // namespace
}  // namespace palvetta
