// The dialogs of the SCHTASKS items: one dialog of four pages for creating and changing
// a task, and the small dialogs for running, ending, deleting and querying tasks.

#include "items/scheduled_tasks/scheduled_task_dialogs.h"

#include "items/scheduled_tasks/scheduled_tasks_items.h"

namespace palvetta {
namespace {

constexpr int kMonthly = static_cast<int>(TScheduleType::scMONTHLY);
constexpr int kWeekly = static_cast<int>(TScheduleType::scWEEKLY);
constexpr int kOnIdle = static_cast<int>(TScheduleType::scONIDLE);
constexpr int kOnEvent = static_cast<int>(TScheduleType::scONEVENT);

constexpr const char* kSystemCaption = "Remote machine name (leave blank for local):";

TStrings WeekNumbers() {
  TStrings weeks = kMonthlyWeeks.DisplayTexts();
  weeks.pop_back();  // LASTDAY is no week of the week-day form
  return weeks;
}

TLayoutNode AccountsPage() {
  return Page("User names and passwords",
              {LabelAbove(kSystemCaption, Edit("edtSystem", 40)),
               LabelAbove("User:", Edit("edtUser", 40)),
               LabelAbove("Password:", Edit("edtPassword", 40)),
               Check("cbxAskForPassword", "Ask for password"),
               GroupBox("gbxRunAs", "Run as user",
                        {LabelAbove("User:", Edit("edtRAUserName", 40)),
                         LabelAbove("Password:", Edit("edtRAPassword", 40)),
                         Check("cbxAskForRAPassword", "Ask for password")})});
}

// The schedule's controls, and the hidden fields that remember each schedule's N.
std::vector<TLayoutNode> ScheduleControls() {
  std::vector<TLayoutNode> controls = {
      LabelBeside("Schedule:", Combo("cmbSC", kScheduleTypes.DisplayTexts())),
      LabelBeside("N=", Number("sedN", 6, 0, 1439)),
      GroupBox("gbxWeekly", "Weekly Schedule",
               {LabelBeside("Day of week:", Combo("cmbDayOfWeek_Weekly", kDaysOfWeek.DisplayTexts()))}),
      // The three forms in one column, so that they form one group of radio buttons.
      GroupBox("gbxMonthlySchedule", "Monthly schedule",
               {Label("lblRunOn", "Run on:"),
                Column({Radio("rbLastDay", "   Last day of month"),
                        Indented(Combo("cmbMonth", kMonths.DisplayTexts())),
                        Radio("rbSelectDay", ""),
                        Indented(Row({Combo("cmbFIRSTLAST", WeekNumbers()),
                                      Combo("cmbDayOfWeek", kDaysOfWeek.DisplayTexts())})),
                        Radio("rbSelectedDay", "   Day of month"),
                        Indented(Number("sedDayOfMonth", 4, 0, 31))})}),
      LabelAbove("Minutes to be Idle before running the task:", Number("sedI", 6, 0, 999)),
      LabelAbove("Event channel:", Edit("edtEC", 40)),
      LabelAbove("Event query (XPath):", Edit("edtEventQuery", 40)),
      Hidden(Number(kShownRepeatTypeField)),
  };
  for (const char* store :
       {"sedMO_MINUTE", "sedMO_HOURLY", "sedMO_DAILY", "sedMO_WEEKLY", "sedMO_MONTHLY_Int"}) {
    controls.push_back(Hidden(Number(store)));
  }
  return controls;
}

TLayoutNode TimingsPage() {
  return Page("Timings",
              {Row({Check("cbxST_Set", "Start time:"), TimePicker("tedST")}),
               Row({Check("cbxRI_Set", "Repeat every (minutes):"), Number("sedRI", 8, 0, 599940)}),
               Column({Radio("rbNoEndTime", "No end time / duration"),
                       Radio("rbET_Set", "End time:"), Indented(TimePicker("tedET")),
                       Radio("rbDU_Set", "Duration:"), Indented(TimePicker("tedDU"))}),
               Check("cbxK", "Terminate the task at the endtime or duration time"),
               Check("cbxSD_Set", "The first date on which the task runs:"),
               Indented(DatePicker("dtpSD")),
               Check("cbxED_Set", "The last date when the task should run:"),
               Indented(DatePicker("dtpED"))});
}

// The delay may pass an hour: minutes and seconds, each in a field of its own.
TLayoutNode DelayRow() {
  return Row({Check("cbxDelay_Set", "Delay:"), Number(kDelayMinutesField, 5, 0, 9999),
              Label("lblDelayMinutes", "min"), Number(kDelaySecondsField, 3, 0, 59),
              Label("lblDelaySeconds", "s")});
}

// What only the create command writes: pre-Vista visibility, overwriting, a task file.
std::vector<TLayoutNode> CreateOnlyControls() {
  return {Check("cbxV1", "Visible to pre-Vista platforms"),
          Check("cbxF", "Silently overwrite if the task exists"),
          FieldWithBrowse("Create a task from the task XML specified in a file:", "edtXML", "btnXML")};
}

std::optional<TCheckFailure> CheckSchedule(const TEditorValues& values) {
  if (!IsBlank(values.Text("edtXML")) && !values.Checked("cbxV1")) return std::nullopt;
  const int schedule = values.Index("cmbSC");
  if (schedule == kMonthly && values.Checked("rbSelectDay") && values.Index("cmbDayOfWeek") == 0) {
    return TCheckFailure{"With FIRST, SECOND, THIRD, FOURTH or LAST, Windows needs one day of the "
                         "week. Choose a day instead of \"Every day of week\".",
                         "cmbDayOfWeek"};
  }
  if (schedule == kOnEvent) {
    for (const char* field : {"edtEC", "edtEventQuery"}) {
      if (IsBlank(values.Text(field))) {
        return TCheckFailure{"\"Run on event\" needs an event channel and an event query, for "
                             "example System and *[System[EventID=104]].",
                             field};
      }
    }
  }
  return std::nullopt;
}

// The create and the change dialog hold the same controls, so that either item's values
// find their fields; the change dialog keeps the schedule and what only /Create writes
// out of sight, and only it offers enabling or disabling the task.
TEditorSpec TaskDialog(bool changeMode) {
  std::vector<TLayoutNode> task = {
      LabelAbove("Task name:", Edit("edtTN", 40)),
      LabelAbove("Executable path:", Edit("edtTR", 40)),
      Column({Radio("rbIT", "Run interactively (if the password is set and user is logged on)"),
              Radio("rbNP", changeMode ? "Leave the interactive setting as it is"
                                       : "No interactive mode")}),
      Check("cbxZ", "Mark the task for deletion after its final run"),
      LabelBeside("Run level:",
                  Combo("cmbRunLevel", changeMode ? TStrings{"Do not change", "LIMITED", "HIGHEST"}
                                                  : TStrings{"LIMITED", "HIGHEST"})),
      DelayRow(),
  };
  std::vector<TLayoutNode> pages = {AccountsPage()};
  std::vector<TLayoutNode> hidden;
  if (changeMode) {
    hidden = ScheduleControls();
    for (TLayoutNode& node : CreateOnlyControls()) hidden.push_back(std::move(node));
    task.push_back(LabelBeside("Enable / Disable task:",
                               Combo("cmbEnableDisableTask", {"Default", "Enable", "Disable"})));
  } else {
    pages.push_back(Page("Schedule", ScheduleControls()));
    for (TLayoutNode& node : CreateOnlyControls()) task.push_back(std::move(node));
  }
  pages.push_back(TimingsPage());
  pages.push_back(Page("Task", std::move(task)));

  TEditorSpec spec = {
      .Title = changeMode ? "Change scheduled task" : "Create scheduled task",
      .Layout = Dialog({Pages("tsPages", std::move(pages)), Hidden(Column(std::move(hidden)))}),
      .Browse = {{.Button = "btnXML",
                  .Field = "edtXML",
                  .Filter = "XML Files (*.xml)|*.xml",
                  .DefaultExt = "xml"}},
      .Enabling =
          {{.CheckBox = "cmbSC",
            .Controls = {"gbxWeekly", "lblDayOfWeek_Weekly", "cmbDayOfWeek_Weekly"},
            .WhenIndex = kWeekly},
           {.CheckBox = "cmbSC",
            .Controls = {"gbxMonthlySchedule", "lblRunOn", "rbLastDay", "cmbMonth", "rbSelectDay",
                         "cmbFIRSTLAST", "cmbDayOfWeek", "rbSelectedDay", "sedDayOfMonth"},
            .WhenIndex = kMonthly},
           {.CheckBox = "cmbSC", .Controls = {"lblI", "sedI"}, .WhenIndex = kOnIdle},
           {.CheckBox = "cmbSC",
            .Controls = {"lblEC", "edtEC", "lblEventQuery", "edtEventQuery"},
            .WhenIndex = kOnEvent},
           // N: for minutes, hours, days and weeks, and for months by day number.
           {.CheckBox = "cmbSC",
            .Controls = {"lblN", "sedN"},
            .WhenIndexes = {0, 1, 2, kWeekly},
            .OrChecked = {"rbSelectedDay"}},
           {.CheckBox = "cmbSC",
            .Controls = {"lblN", "sedN"},
            .WhenIndexes = {0, 1, 2, kWeekly, kMonthly}}},
      .ValueRules = {{{"cmbSC"}, [](TEditorValues& values) {
                        KeepShownRepeat(values);
                        ShowRepeatOf(values, static_cast<TScheduleType>(values.Index("cmbSC")));
                      }}},
  };
  if (!changeMode) spec.Checks = {[](TEditorValues& values) { return CheckSchedule(values); }};
  return spec;
}

// The small dialogs: the computer, its account, the task, and what the command adds.
TEditorSpec SmallDialog(std::string caption, std::vector<TLayoutNode> more = {}) {
  std::vector<TLayoutNode> body = {LabelAbove(kSystemCaption, Edit("edtS", 40)),
                                   LabelAbove("User:", Edit("edtU", 40)),
                                   LabelAbove("Password:", Edit("edtP", 40)),
                                   LabelAbove("Task name:", Edit("edtTN", 40))};
  for (TLayoutNode& node : more) body.push_back(std::move(node));
  return {.Title = std::move(caption), .Layout = Dialog(std::move(body))};
}

TEditorSpec QueryDialog() {
  TEditorSpec spec = SmallDialog(
      "Display the scheduled tasks ",
      {LabelBeside("Output format:", Combo("cmbFO", {"TABLE", "LIST", "CSV", "XML"})),
       Check("cbxNH", "No header"), Check("cbxV", "Verbose output"),
       Check("cbxOneXML", "Generate one large XML file")});
  spec.Enabling = {{.CheckBox = "cmbFO",
                    .Controls = {"cbxOneXML"},
                    .WhenIndex = static_cast<int>(TOutputFormat_WithXML::ofxXML)}};
  return spec;
}

}  // namespace

std::vector<TItemEditorSpec> ScheduledTaskEditorSpecs() {
  return {
      {&TSCHTASKSCreateItem::Class, TaskDialog(false)},
      {&TSCHTASKSRunItem::Class,
       SmallDialog("Run a scheduled task on demand", {Check("cbxI", "Run immediately")})},
      {&TSCHTASKSEndItem::Class, SmallDialog("Stop running scheduled task")},
      {&TSCHTASKSDeleteItem::Class,
       SmallDialog("Delete a scheduled task",
                   {Check("cbxF", "Force delete even if the task is running")})},
      {&TSCHTASKSChangeItem::Class, TaskDialog(true)},
      {&TSCHTASKSQueryItem::Class, QueryDialog()},
  };
}

constinit const TItemFamily kScheduledTaskFamily{kScheduledTaskItemClasses, [](const TEnvironmentLookup&) { return ScheduledTaskEditorSpecs(); }};

}  // namespace palvetta
