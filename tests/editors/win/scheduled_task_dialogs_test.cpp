// The task dialog on screen: the change mode's pages and lists, each schedule's own N as
// the user switches schedules, the refused incomplete schedule (the dialog turns to the
// schedule page), and the delay entered as minutes and seconds.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "editor_dialogs_fixture.h"
#include "editors/win/item_editor_dialogs.h"
#include "items/scheduled_tasks/scheduled_tasks_items.h"
#include "model/project.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

constexpr int kSchedulePage = 1;

// The user picks a schedule in its list.
void ChooseSchedule(TDialog& dialog, TScheduleType type) {
  EditorDialogsFixture::Choose(dialog, "cmbSC", static_cast<int>(type));
}

int PageCount(TDialog& dialog) {
  return static_cast<int>(SendMessageW(dialog.Control("tsPages"), TCM_GETITEMCOUNT, 0, 0));
}

class ScheduledTaskDialogsTest : public EditorDialogsFixture {
 protected:
  TProject Project;
};

TEST_F(ScheduledTaskDialogsTest, ChangeAndCreateModesOfferTheirOwnPagesAndLists) {
  auto& change = Project.Add<TSCHTASKSChangeItem>();
  change.RL = TRunLevel::rlHighest;
  EXPECT_TRUE(Edit(change, [](TDialog& d) {
    EXPECT_EQ(PageCount(d), 3);
    EXPECT_EQ(d.Entries("cmbRunLevel"), (TStrings{"Do not change", "LIMITED", "HIGHEST"}));
    EXPECT_EQ(d.Index("cmbRunLevel"), 2);
    EXPECT_TRUE(d.Checked("rbNP"));
    d.SetIndex("cmbRunLevel", 1);
    d.SetIndex("cmbEnableDisableTask", 1);
    d.PressOK();
  }));
  EXPECT_EQ(change.RL, TRunLevel::rlLimited);
  EXPECT_TRUE(change.RL_Set);
  EXPECT_EQ(change.TaskEnableDisable, TTaskEnableDisable::tedEnable);

  auto& create = Project.Add<TSCHTASKSCreateItem>();
  EXPECT_TRUE(Edit(create, [](TDialog& d) {
    EXPECT_EQ(PageCount(d), 4);
    EXPECT_EQ(d.Entries("cmbRunLevel"), (TStrings{"LIMITED", "HIGHEST"}));
    EXPECT_TRUE(d.Checked("rbIT"));
    d.PressOK();
  }));
}

TEST_F(ScheduledTaskDialogsTest, EachScheduleShowsItsOwnNAndEnablesIt) {
  auto& item = Project.Add<TSCHTASKSCreateItem>();
  item.SC = TScheduleType::scMINUTE;
  item.MO_MINUTE = 30;
  item.MO_HOURLY = 5;
  EXPECT_TRUE(Edit(item, [](TDialog& d) {
    EXPECT_EQ(d.Text("sedN"), "30");
    d.SetText("sedN", "45");
    ChooseSchedule(d, TScheduleType::scHOURLY);
    EXPECT_EQ(d.Text("sedN"), "5");
    ChooseSchedule(d, TScheduleType::scMINUTE);
    EXPECT_EQ(d.Text("sedN"), "45");
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedN")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbMonth")));

    ChooseSchedule(d, TScheduleType::scMONTHLY);
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbMonth")));
    d.SetChecked("rbLastDay", true);
    EXPECT_FALSE(IsWindowEnabled(d.Control("sedN")));
    d.SetChecked("rbSelectedDay", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedN")));
    d.SetText("sedN", "3");
    ChooseSchedule(d, TScheduleType::scONIDLE);
    EXPECT_FALSE(IsWindowEnabled(d.Control("sedN")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedI")));
    d.PressOK();
  }));
  EXPECT_EQ(item.SC, TScheduleType::scONIDLE);
  EXPECT_EQ(item.MO_MINUTE, 45);
  EXPECT_EQ(item.MO_HOURLY, 5);
  EXPECT_EQ(item.MO_MONTHLY_Int, 3);
  EXPECT_EQ(item.MonthlySchedule, TMonthlySchedule::msDayNo);
}

TEST_F(ScheduledTaskDialogsTest, AnEventScheduleNeedsChannelAndQuery) {
  auto& item = Project.Add<TSCHTASKSCreateItem>();
  EXPECT_TRUE(Edit(item, [this](TDialog& d) {
    ChooseSchedule(d, TScheduleType::scONEVENT);
    d.SetText("edtEC", "System");
    d.ShowPage("tsPages", 3);
    d.PressOK();
    EXPECT_EQ(d.ModalResult(), TModalResult::mrNone);
    ASSERT_EQ(Messages.Shown.size(), 1u);
    EXPECT_EQ(Messages.Shown[0].Text,
              "\"Run on event\" needs an event channel and an event query, for example System "
              "and *[System[EventID=104]].");
    EXPECT_EQ(d.ShownPage("tsPages"), kSchedulePage);
    d.SetText("edtEventQuery", "*[System[EventID=104]]");
    d.PressOK();
  }));
  EXPECT_EQ(item.GetBatchText(),
            "SCHTASKS /Create /SC ONEVENT /MO \"*[System[EventID=104]]\" /TN \"\" /TR \"\" /EC "
            "System /IT");
}

TEST_F(ScheduledTaskDialogsTest, TheDelayTakesMinutesAndSeconds) {
  auto& item = Project.Add<TSCHTASKSCreateItem>();
  item.SC = TScheduleType::scONSTART;
  EXPECT_TRUE(Edit(item, [](TDialog& d) {
    d.SetChecked("cbxDelay_Set", true);
    d.SetText("sedDelayMinutes", "125");
    d.SetText("sedDelaySeconds", "7");
    d.PressOK();
  }));
  EXPECT_EQ(item.DelaySwitch(), " /Delay 0125:07");
  EXPECT_FALSE(Edit(item, [](TDialog& d) {
    EXPECT_EQ(d.Text("sedDelayMinutes"), "125");
    EXPECT_EQ(d.Text("sedDelaySeconds"), "7");
    d.Cancel();
  }));
}

}  // namespace
}  // namespace palvetta
