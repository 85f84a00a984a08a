#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "items/misc/misc_items.h"
#include "model/project.h"
#include "model/property_mapping.h"

namespace palvetta {
namespace {

XmlElement PropertiesOf(TCustomProjectItem& item) {
  XmlElement element("item");
  WriteProperties(item, element);
  return element;
}

// Opens the editor on the item and confirms it unchanged.
void ConfirmUnchanged(TCustomProjectItem& item) {
  TEditorValues values;
  item.ToEditor(values);
  item.FromEditor(values);
}

struct SweepCase {
  const TClass* cls;
  std::function<void(TCustomProjectItem&)> fill;  // values as the editor gives them back
};

template <class T>
SweepCase Fill(std::function<void(T&)> fill) {
  return {&T::Class, [fill](TCustomProjectItem& item) { fill(static_cast<T&>(item)); }};
}

// Confirming a dialog without touching it keeps every property, for a fresh item and
// for one with a value in every field the dialog shows.
TEST(EditorMapping, ConfirmingKeepsEveryValue) {
  const SweepCase cases[] = {
      Fill<TREMItem>([](auto& i) { i.Text = "first\r\nsecond\r\n"; }),
      Fill<TParamItem>([](auto& i) {
        i.Name = "Source";
        i.Descr = "what\r\nto copy\r\n";
        i.ParamCheck = TParamCheck::pcPathMustNOTExist;
      }),
      Fill<TSetVarValItem>([](auto& i) {
        i.Name = " x ";
        i.Value = " a & b ";
      }),
      Fill<TVariableItem>([](auto& i) {
        i.Name = "Count";
        i.Descr = " purpose ";
      }),
      Fill<TGotoLabelItem>([](auto& i) { i.Name = "Done"; }),
      Fill<TGotoItem>([](auto& i) { i.LabelName = "Nowhere"; }),
      Fill<TIfItem>([](auto& i) { i.Condition = "EXIST x.txt"; }),
      Fill<TCallItem>([](auto& i) {
        i.BatchFileName = "C:\\my tools\\b.bat";
        i.BatchFileParams = "1 \"2 3\"";
      }),
      Fill<TExitItem>([](auto& i) { i.ErrorCode = "%ERRORLEVEL%"; }),
      Fill<TRunProgramItem>([](auto& i) {
        i.Path = "tool.exe";
        i.RunParams.Add().Param = "/a";
        auto& second = i.RunParams.Add();
        second.Param = "b c";
        second.Descr = "second";
      }),
      Fill<TPushdItem>([](auto& i) { i.Path = "C:\\x y"; }),
      Fill<TSetLocalItem>([](auto& i) {
        i.EnableExtensions = TEnableExtensions::eeDisable;
        i.EnableDelayedExpansion = TEnableDelayedExpansion::edeEnable;
      }),
      Fill<TStartItem>([](auto& i) {
        i.Title = "t";
        i.DPath = "d";
        i.B = i.I = i.Wait = true;
        i.MinMax = TStartItemMinMax::mmMax;
        i.SeparateShared = TStartItemSeparateShared::ssShared;
        i.Priority = TStartItemPriority::pBELOWNORMAL;
        i.UseNode = true;
        i.Node = 3;
        i.Affinity = "0x3";
        i.ExePath = "x.exe";
        i.Params = "-v";
      }),
      Fill<TCMDItem>([](auto& i) {
        i.CMDRemainTerminate = TCMDRemainTerminate::stRemain;
        i.CMDOutputEncoding = TCMDOutputEncoding::oeUnicode;
        i.CMDCommandExtenions = TCMDCommandExtenions::ecDisable;
        i.CMDNameCompletion = TCMDNameCompletion::ncEnable;
        i.CMDEnvVarExpansion = TCMDEnvVarExpansion::veEnable;
        i.S = i.Q = i.D = i.ExecStr = true;
        i.TextColor = 14;
        i.BGColor = 1;
        i.Str = "dir";
      }),
      Fill<TSubroutineItem>([](auto& i) {
        i.Name = "Sub";
        i.Descr = "no final line break";
        auto& arg = i.RunParams.Add();
        arg.Param = "A";
        arg.Descr = "d";
        arg.ParamCheck = TParamCheck::pcPathMustExist;
      }),
      Fill<TSubroutineDispatcherItem>([](auto& i) {
        i.VarName = "Choice";
        auto& row = i.Dispatcher.Add();
        row.Value = "1";
        row.SubOrLabel = "Sub";
        row.Parameters = "a b";
        i.Dispatcher.Add().Value = "2";
      }),
      Fill<TFOREachLineInFile>([](auto& i) { i.FileName = "list.txt"; }),
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.cls->Name));
    TProject project;
    TCustomProjectItem& fresh = project.AddItem(*c.cls, -1);
    ASSERT_TRUE(fresh.HasEditor());
    XmlElement before = PropertiesOf(fresh);
    ConfirmUnchanged(fresh);
    EXPECT_EQ(PropertiesOf(fresh), before);

    TCustomProjectItem& filled = project.AddItem(*c.cls, -1);
    c.fill(filled);
    before = PropertiesOf(filled);
    ConfirmUnchanged(filled);
    EXPECT_EQ(PropertiesOf(filled), before);
  }
}

TEST(EditorMapping, ItemsWithoutSettingsHaveNoEditor) {
  for (const TClass* cls : {&TCheckParamsItem::Class, &TElseItem::Class, &TIfEndItem::Class,
                            &TPopdItem::Class, &TEndLocalItem::Class, &TSubroutineEndItem::Class,
                            &TFOREndItem::Class}) {
    EXPECT_FALSE(CreateItem(*cls)->HasEditor()) << cls->Name;
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
