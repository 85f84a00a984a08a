// The task dialog as a description: its create and change modes, the schedule's N that
// each schedule keeps, what the schedule enables, and the two checks of a new task.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "items/scheduled_tasks/scheduled_task_dialogs.h"
#include "items/scheduled_tasks/scheduled_tasks_items.h"
#include "support/editor_spec_lookup.h"

namespace palvetta {
namespace {

// Whether the named control shows: no hidden node on its way from the root.
bool Shown(const TLayoutNode& node, const std::string& name, bool visible = true) {
  visible = visible && node.Visible;
  if (node.Name == name) return visible;
  for (const TLayoutNode& child : node.Children) {
    if (NodeNamed(child, name)) return Shown(child, name, visible);
  }
  return false;
}

TStrings PageCaptions(const TEditorSpec& spec) {
  TStrings captions;
  for (const TLayoutNode& page : NodeNamed(spec.Layout, "tsPages")->Children) {
    captions.push_back(page.Text);
  }
  return captions;
}

void Change(TEditorValues& values, const TEditorSpec& spec, const std::string& trigger) {
  for (const TValueRule& rule : spec.ValueRules) {
    if (std::count(rule.Triggers.begin(), rule.Triggers.end(), trigger)) rule.Apply(values);
  }
}

// Whether every enabling rule that names the control holds for the values.
bool Enabled(const TEditorSpec& spec, const TEditorValues& values, const std::string& control) {
  bool enabled = true;
  for (const TEnableRule& rule : spec.Enabling) {
    if (!std::count(rule.Controls.begin(), rule.Controls.end(), control)) continue;
    bool condition = rule.ByIndex() ? rule.EnabledAt(values.Index(rule.CheckBox))
                                    : values.Checked(rule.CheckBox);
    for (const std::string& box : rule.OrChecked) condition = condition || values.Checked(box);
    enabled = enabled && (rule.Inverse != condition);
  }
  return enabled;
}

TEST(ScheduledTaskEditorSpecs, ChangeModeHidesTheScheduleAndWhatOnlyCreateWrites) {
  const TEditorSpec& create = SpecOf(TSCHTASKSCreateItem::Class);
  const TEditorSpec& change = SpecOf(TSCHTASKSChangeItem::Class);
  EXPECT_EQ(create.Title, "Create scheduled task");
  EXPECT_EQ(change.Title, "Change scheduled task");
  EXPECT_EQ(PageCaptions(create),
            (TStrings{"User names and passwords", "Schedule", "Timings", "Task"}));
  EXPECT_EQ(PageCaptions(change), (TStrings{"User names and passwords", "Timings", "Task"}));
  for (const char* control : {"cmbSC", "sedN", "cbxV1", "cbxF", "lblXML", "edtXML", "btnXML"}) {
    EXPECT_TRUE(Shown(create.Layout, control)) << control;
    EXPECT_FALSE(Shown(change.Layout, control)) << control;
  }
  EXPECT_EQ(NodeNamed(create.Layout, "cmbEnableDisableTask"), nullptr);
  EXPECT_TRUE(Shown(change.Layout, "cmbEnableDisableTask"));
  EXPECT_EQ(NodeNamed(create.Layout, "cmbRunLevel")->Entries, (TStrings{"LIMITED", "HIGHEST"}));
  EXPECT_EQ(NodeNamed(change.Layout, "cmbRunLevel")->Entries,
            (TStrings{"Do not change", "LIMITED", "HIGHEST"}));
  EXPECT_EQ(NodeNamed(create.Layout, "rbNP")->Text, "No interactive mode");
  EXPECT_EQ(NodeNamed(change.Layout, "rbNP")->Text, "Leave the interactive setting as it is");
  EXPECT_TRUE(change.Checks.empty());
}

// Switching schedules shows each one's own N within its range and keeps what the user
// typed for the one left.
TEST(ScheduledTaskEditorSpecs, EachScheduleKeepsItsOwnN) {
  const TEditorSpec& spec = SpecOf(TSCHTASKSCreateItem::Class);
  TSCHTASKSCreateItem item;
  item.SC = TScheduleType::scMINUTE;
  item.MO_MINUTE = 30;
  item.MO_HOURLY = 0;
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_EQ(values.Index("sedN"), 30);

  values.SetIndex("sedN", 45);
  values.SetIndex("cmbSC", static_cast<int>(TScheduleType::scHOURLY));
  Change(values, spec, "cmbSC");
  EXPECT_EQ(values.Index("sedN"), 1);  // a remembered 0 shows as the lower bound

  values.SetIndex("cmbSC", static_cast<int>(TScheduleType::scONCE));
  Change(values, spec, "cmbSC");
  EXPECT_EQ(values.Index("sedN"), 0);

  values.SetIndex("cmbSC", static_cast<int>(TScheduleType::scMINUTE));
  Change(values, spec, "cmbSC");
  EXPECT_EQ(values.Index("sedN"), 45);

  values.SetIndex("cmbSC", static_cast<int>(TScheduleType::scHOURLY));
  Change(values, spec, "cmbSC");
  values.SetIndex("sedN", 40);  // more hours than a day has
  item.FromEditor(values);
  EXPECT_EQ(item.SC, TScheduleType::scHOURLY);
  EXPECT_EQ(item.MO_MINUTE, 45);
  EXPECT_EQ(item.MO_HOURLY, 23);
  EXPECT_EQ(item.MO_DAILY, 0);  // shown as 1, never changed
}

TEST(ScheduledTaskEditorSpecs, TheScheduleEnablesItsControls) {
  const TEditorSpec& spec = SpecOf(TSCHTASKSCreateItem::Class);
  TSCHTASKSCreateItem item;
  TEditorValues values;
  item.ToEditor(values);
  struct Case {
    TScheduleType type;
    const char* button;  // the monthly form
    bool n, weekly, monthly, idle, event;
  };
  const Case cases[] = {
      {TScheduleType::scMINUTE, "rbLastDay", true, false, false, false, false},
      {TScheduleType::scWEEKLY, "rbLastDay", true, true, false, false, false},
      {TScheduleType::scMONTHLY, "rbLastDay", false, false, true, false, false},
      {TScheduleType::scMONTHLY, "rbSelectDay", false, false, true, false, false},
      {TScheduleType::scMONTHLY, "rbSelectedDay", true, false, true, false, false},
      {TScheduleType::scONCE, "rbSelectedDay", false, false, false, false, false},
      {TScheduleType::scONIDLE, "rbLastDay", false, false, false, true, false},
      {TScheduleType::scONEVENT, "rbLastDay", false, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kScheduleTypes.Command(c.type)) + " " + c.button);
    values.SetIndex("cmbSC", static_cast<int>(c.type));
    for (const char* button : {"rbLastDay", "rbSelectDay", "rbSelectedDay"}) {
      values.SetChecked(button, std::string(button) == c.button);
    }
    EXPECT_EQ(Enabled(spec, values, "sedN"), c.n);
    EXPECT_EQ(Enabled(spec, values, "lblN"), c.n);
    EXPECT_EQ(Enabled(spec, values, "cmbDayOfWeek_Weekly"), c.weekly);
    EXPECT_EQ(Enabled(spec, values, "cmbMonth"), c.monthly);
    EXPECT_EQ(Enabled(spec, values, "sedI"), c.idle);
    EXPECT_EQ(Enabled(spec, values, "edtEventQuery"), c.event);
  }
}

TEST(ScheduledTaskEditorSpecs, ANewTaskNeedsACompleteSchedule) {
  const TEditorSpec& spec = SpecOf(TSCHTASKSCreateItem::Class);
  ASSERT_EQ(spec.Checks.size(), 1u);
  const std::string weekDay =
      "With FIRST, SECOND, THIRD, FOURTH or LAST, Windows needs one day of the week. Choose a "
      "day instead of \"Every day of week\".";
  const std::string event =
      "\"Run on event\" needs an event channel and an event query, for example System and "
      "*[System[EventID=104]].";
  struct Case {
    TScheduleType type;
    const char* button;
    int day;
    const char* channel;
    const char* query;
    const char* xml;
    bool v1;
    std::string message;  // empty: accepted
    const char* focus;
  };
  const Case cases[] = {
      {TScheduleType::scMONTHLY, "rbSelectDay", 0, "", "", "", false, weekDay, "cmbDayOfWeek"},
      {TScheduleType::scMONTHLY, "rbSelectDay", 2, "", "", "", false, "", ""},
      {TScheduleType::scMONTHLY, "rbLastDay", 0, "", "", "", false, "", ""},
      {TScheduleType::scONEVENT, "rbLastDay", 0, "System", " ", "", false, event, "edtEventQuery"},
      {TScheduleType::scONEVENT, "rbLastDay", 0, "", "*", "", false, event, "edtEC"},
      {TScheduleType::scONEVENT, "rbLastDay", 0, "System", "*[System[EventID=104]]", "", false, "",
       ""},
      // A task file defines the schedule, unless the task is for pre-Vista platforms.
      {TScheduleType::scONEVENT, "rbLastDay", 0, "", "", "C:\\t.xml", false, "", ""},
      {TScheduleType::scONEVENT, "rbLastDay", 0, "", "", "C:\\t.xml", true, event, "edtEC"},
      {TScheduleType::scDAILY, "rbSelectDay", 0, "", "", "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kScheduleTypes.Command(c.type)) + " " + c.button + " " + c.xml);
    TSCHTASKSCreateItem item;
    TEditorValues values;
    item.ToEditor(values);
    values.SetIndex("cmbSC", static_cast<int>(c.type));
    for (const char* button : {"rbLastDay", "rbSelectDay", "rbSelectedDay"}) {
      values.SetChecked(button, std::string(button) == c.button);
    }
    values.SetIndex("cmbDayOfWeek", c.day);
    values.SetText("edtEC", c.channel);
    values.SetText("edtEventQuery", c.query);
    values.SetText("edtXML", c.xml);
    values.SetChecked("cbxV1", c.v1);
    const std::optional<TCheckFailure> failure = spec.Checks[0](values);
    if (c.message.empty()) {
      EXPECT_FALSE(failure.has_value());
    } else {
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->Message, c.message);
      EXPECT_EQ(failure->Focus, c.focus);
    }
  }
}

TEST(ScheduledTaskEditorSpecs, OneXmlFileOnlyForXml) {
  const TEditorSpec& spec = SpecOf(TSCHTASKSQueryItem::Class);
  EXPECT_EQ(spec.Title, "Display the scheduled tasks ");
  TEditorValues values;
  for (int format = 0; format < 4; ++format) {
    values.SetIndex("cmbFO", format);
    EXPECT_EQ(Enabled(spec, values, "cbxOneXML"), format == 3) << format;
  }
}

}  // namespace
}  // namespace palvetta
