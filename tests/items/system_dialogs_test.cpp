// The system dialogs as descriptions: the shutdown dialog's values that follow the mode
// and the kind of reason, and what the filter grid's buttons do to its rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/filter_grid.h"
#include "items/system/system_dialogs.h"
#include "items/system/system_family.h"
#include "support/editor_spec_lookup.h"
#include "support/fake_editor_dialog.h"

namespace palvetta {
namespace {

// The dialog's values as the item puts them in.
TEditorValues ShownValues(const TShutdownItem& item) {
  TEditorValues values;
  item.ToEditor(values);
  return values;
}

// What a change of the trigger does: its value rule runs on the values.
void Change(TEditorValues& values, const TEditorSpec& spec, const std::string& trigger) {
  for (const TValueRule& rule : spec.ValueRules) {
    if (std::count(rule.Triggers.begin(), rule.Triggers.end(), trigger)) rule.Apply(values);
  }
}

TEST(ShutdownEditorSpecTest, DocumentingAnUnexpectedShutdownAsksForAnUnexpectedReason) {
  const TEditorSpec& spec = SpecOf(TShutdownItem::Class);
  TShutdownItem item;
  TEditorValues values = ShownValues(item);
  EXPECT_FALSE(values.Checked("cbxProvideReason"));
  EXPECT_EQ(values.Index("cmbReasonType"), 0);

  values.SetIndex("cmbShutdownMode", static_cast<int>(TShutDownMode::sdmDocumentUnexpected));
  Change(values, spec, "cmbShutdownMode");
  EXPECT_TRUE(values.Checked("cbxProvideReason"));
  EXPECT_EQ(values.Index("cmbReasonType"), static_cast<int>(TReasonType::rtUnexpected));
  EXPECT_EQ(values.Choices("cmbReason"),
            (TStrings{"Other (Unplanned)", "Other Failure: System Unresponsive",
                      "System Failure: Stop error", "Security issue",
                      "Power Failure: Cord Unplugged", "Power Failure: Environment"}));
  EXPECT_EQ(values.Index("cmbReason"), 0);

  // Any other mode leaves an unchecked box unchecked, and a checked one checked.
  for (bool checked : {false, true}) {
    values.SetChecked("cbxProvideReason", checked);
    values.SetIndex("cmbShutdownMode", static_cast<int>(TShutDownMode::sdmLogOff));
    Change(values, spec, "cmbShutdownMode");
    EXPECT_EQ(values.Checked("cbxProvideReason"), checked);
  }
}

TEST(ShutdownEditorSpecTest, ReasonListFollowsTheKindAndTheItemsNumbers) {
  const TEditorSpec& spec = SpecOf(TShutdownItem::Class);
  TEditorValues values = ShownValues(TShutdownItem());
  values.SetIndex("cmbReasonType", static_cast<int>(TReasonType::rtCustomerDefined));
  Change(values, spec, "cmbReasonType");
  EXPECT_EQ(values.Choices("cmbReason"), (TStrings{"Operating System: Hot fix (Unplanned)",
                                                   "Operating System: Security fix (Unplanned)"}));

  // The item's reason is chosen when it is among its kind's; else the first one, whose
  // numbers the item takes on OK.
  TShutdownItem item;
  item.ReasonType = TReasonType::rtPlanned;
  item.MajorReasonNumber = 2;
  item.MinorReasonNumber = 17;
  values = ShownValues(item);
  EXPECT_EQ(values.Choices("cmbReason").at(static_cast<size_t>(values.Index("cmbReason"))),
            "Operating System: Hot fix (Planned)");
  item.MajorReasonNumber = 9;
  values = ShownValues(item);
  EXPECT_EQ(values.Index("cmbReason"), 0);
  item.FromEditor(values);
  EXPECT_EQ(item.MajorReasonNumber, 0);
  EXPECT_EQ(item.MinorReasonNumber, 0);
  EXPECT_EQ(item.ReasonType, TReasonType::rtPlanned);
}

TEST(ShutdownEditorSpecTest, WaitingIsOfferedOnlyForModesThatWait) {
  const TEditorSpec& spec = SpecOf(TShutdownItem::Class);
  const TEnableRule& rule = spec.Enabling.at(0);
  ASSERT_EQ(rule.CheckBox, "cmbShutdownMode");
  EXPECT_EQ(rule.Controls, (std::vector<std::string>{"lblWaitFor", "sedTimeout", "lblSeconds"}));
  std::vector<int> enabled;
  for (int mode = 0; mode < 8; ++mode) {
    if (rule.EnabledAt(mode)) enabled.push_back(mode);
  }
  EXPECT_EQ(enabled, (std::vector<int>{1, 2, 3}));
}

TEST(FilterGridTest, AddedFieldsGoAfterTheLastConditionWithTheirFirstOperationAndValue) {
  const TFilterDef fields = TaskFilterFields();
  const TGridRows rows = {{"IMAGENAME", "Not equal", "x.exe"}, {"", "", ""}, {"", "", ""}};
  EXPECT_EQ(WithFieldsAdded(rows, fields, {2, 0}),
            (TGridRows{{"IMAGENAME", "Not equal", "x.exe"},
                       {"PID", "Equal", ""},
                       {"STATUS", "Equal", "RUNNING"},
                       {"", "", ""},
                       {"", "", ""}}));
  // A field may be added again; an empty grid takes them at its top.
  EXPECT_EQ(WithFieldsAdded({}, fields, {2, 2}), (TGridRows{{"PID", "Equal", ""}, {"PID", "Equal", ""}}));
}

TEST(FilterGridTest, DeleteRemovesOnlyAConditionsRow) {
  const TGridRows rows = {{"PID", "Equal", "1"}, {"STATUS", "Equal", "RUNNING"}, {"", "", ""}};
  EXPECT_EQ(WithoutRow(rows, 0), (TGridRows{{"STATUS", "Equal", "RUNNING"}, {"", "", ""}}));
  EXPECT_EQ(WithoutRow(rows, -1), rows);
  EXPECT_EQ(WithoutRow(rows, 2), rows);
  EXPECT_EQ(WithoutRow(rows, 9), rows);
}

TEST(FilterGridTest, OperationCellOffersWhatTheFieldAllows) {
  const TFilterDef fields = TaskFilterFields();
  EXPECT_EQ(OperationChoices(fields, "STATUS"), (TStrings{"Equal", "Not equal"}));
  EXPECT_EQ(OperationChoices(fields, "pid").size(), 6u);
  EXPECT_EQ(OperationChoices(fields, "FOO").size(), 6u);
}

// Both task dialogs' filter grids pick from the task fields, add and delete rows and offer
// each row's operations; a cancelled pick leaves the rows.
TEST(FilterGridTest, BothTaskDialogsShareTheGrid) {
  for (const TClass* cls : {&TTaskListItem::Class, &TTaskKillItem::Class}) {
    SCOPED_TRACE(cls->Name);
    testing::TFakeEditorDialog dialog(SpecOf(*cls));
    dialog.GridRows["vstFilter"] = {{"IMAGENAME", "Not equal", "x.exe"}, {"", "", ""}};
    ASSERT_TRUE(dialog.Click("btnAddField"));
    dialog.FieldsToPick = std::vector<size_t>{2};
    ASSERT_TRUE(dialog.Click("btnAddField"));
    ASSERT_EQ(dialog.FieldPicks.size(), 2u);
    EXPECT_EQ(dialog.FieldPicks[1].data(), TaskFilterFields().data());
    EXPECT_EQ(dialog.GridRows["vstFilter"],
              (TGridRows{{"IMAGENAME", "Not equal", "x.exe"}, {"PID", "Equal", ""}, {"", "", ""}}));
    EXPECT_EQ(dialog.CellChoices("vstFilter", 1, 0), (TStrings{"Equal", "Not equal"}));
    EXPECT_EQ(dialog.CellChoices("vstFilter", 1, 1).size(), 6u);
    dialog.Indexes["vstFilter"] = 0;
    ASSERT_TRUE(dialog.Click("btnDelete"));
    EXPECT_EQ(dialog.GridRows["vstFilter"], (TGridRows{{"PID", "Equal", ""}, {"", "", ""}}));
  }
}

}  // namespace
}  // namespace palvetta
