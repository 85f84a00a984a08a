// The system dialogs on screen: the shutdown dialog's timeout and reason lists and its
// computer browser, the
// filter grid with its field picker, Cancel leaving the conditions alone, and the
// ROBOCOPY run hours in their time pickers.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "editors/win/item_editor_dialogs.h"
#include "items/robocopy/robocopy_item.h"
#include "items/system/system_family.h"
#include "model/project.h"
#include "editor_dialogs_fixture.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

TStrings ComboEntries(TDialog& dialog, const std::string& combo) { return dialog.Entries(combo); }

class SystemDialogsTest : public EditorDialogsFixture {
 protected:
  TProject Project;
};

TEST_F(SystemDialogsTest, ShutdownModeEnablesTheWaitAndAsksForAReason) {
  auto& item = Project.Add<TShutdownItem>();
  EXPECT_TRUE(Edit(item, [](TDialog& d) {
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedTimeout")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbReason")));
    Choose(d, "cmbShutdownMode", static_cast<int>(TShutDownMode::sdmLogOff));
    EXPECT_FALSE(IsWindowEnabled(d.Control("sedTimeout")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("lblWaitFor")));
    EXPECT_FALSE(d.Checked("cbxProvideReason"));
    Choose(d, "cmbShutdownMode", static_cast<int>(TShutDownMode::sdmShutdownRestart));
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedTimeout")));

    Choose(d, "cmbShutdownMode", static_cast<int>(TShutDownMode::sdmDocumentUnexpected));
    EXPECT_TRUE(d.Checked("cbxProvideReason"));
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbReason")));
    EXPECT_EQ(d.Index("cmbReasonType"), static_cast<int>(TReasonType::rtUnexpected));
    EXPECT_EQ(ComboEntries(d, "cmbReason").size(), 6u);

    Choose(d, "cmbReasonType", static_cast<int>(TReasonType::rtCustomerDefined));
    EXPECT_EQ(ComboEntries(d, "cmbReason"), (TStrings{"Operating System: Hot fix (Unplanned)",
                                                      "Operating System: Security fix (Unplanned)"}));
    d.SetIndex("cmbReason", 1);
    d.PressOK();
  }));
  EXPECT_EQ(item.GetBatchText(), "SHUTDOWN /e /d u:2:18");
}

// The "..." beside "Remote PC:" asks the network's computer browser; a cancelled browse
// leaves the typed name alone.
TEST_F(SystemDialogsTest, ShutdownBrowsesTheNetworkForTheRemotePC) {
  auto& item = Project.Add<TShutdownItem>();
  TFilePickerRecorder pickers;
  TScopedFilePickerSeam pickerSeam(pickers);
  pickers.Answers = {"PC7", std::nullopt};
  EXPECT_TRUE(Edit(item, [](TDialog& d) {
    Click(d, "btnBrowsePCs");
    EXPECT_EQ(d.Text("edtComputer"), "PC7");
    Click(d, "btnBrowsePCs");
    EXPECT_EQ(d.Text("edtComputer"), "PC7");
    d.PressOK();
  }));
  ASSERT_EQ(pickers.Calls.size(), 2u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkComputer);
  EXPECT_EQ(pickers.Calls[0].Args.Title, "Select the remote PC");
  EXPECT_EQ(item.Computer, "PC7");
}

TEST_F(SystemDialogsTest, FilterGridAddsPickedFieldsOffersTheirOperationsAndDeletes) {
  auto& item = Project.Add<TTaskListItem>();
  int pickerShown = 0;
  Dialogs.FieldPicker().OnShown = [&](TDialog& picker) {
    picker.Post([&] {
      ++pickerShown;
      // Every box starts unchecked.
      for (size_t i = 0; i < TaskFilterFields().size(); ++i) {
        EXPECT_FALSE(picker.Checked("cbxField" + std::to_string(i)));
      }
      picker.SetChecked("cbxField2", true);  // PID
      picker.SetChecked("cbxField0", true);  // STATUS
      picker.PressOK();
    });
  };
  EXPECT_TRUE(Edit(item, [&](TDialog& d) {
    d.ShowPage("pgcTask", 1);
    SendMessageW(d.Control("btnAddField"), BM_CLICK, 0, 0);
    const TGridRows rows = d.Rows("vstFilter");
    EXPECT_EQ(rows.at(0), (TStrings{"STATUS", "Equal", "RUNNING"}));
    EXPECT_EQ(rows.at(1), (TStrings{"PID", "Equal", ""}));

    // The operation cell offers what the row's field allows.
    TEditGrid& grid = d.EditGrid("vstFilter");
    grid.EditCell(1, 0);
    EXPECT_EQ(SendMessageW(grid.Editor(), CB_GETCOUNT, 0, 0), 2);
    grid.CancelEdit();
    grid.EditCell(1, 1);
    EXPECT_EQ(SendMessageW(grid.Editor(), CB_GETCOUNT, 0, 0), 6);
    SendMessageW(grid.Editor(), CB_SETCURSEL, 2, 0);
    grid.AcceptEdit();
    grid.SetCell(2, 1, "100");
    // The field itself is not edited in place.
    grid.EditCell(0, 0);
    EXPECT_FALSE(grid.IsEditing());

    SendMessageW(d.Control("btnAddField"), BM_CLICK, 0, 0);  // once more: added again
    d.SetIndex("vstFilter", 0);
    SendMessageW(d.Control("btnDelete"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  EXPECT_EQ(pickerShown, 2);
  EXPECT_EQ(item.GetBatchText(),
            "TASKLIST /FO TABLE /FI \"PID gt 100\" /FI \"STATUS eq RUNNING\" /FI \"PID eq \"");
}

TEST_F(SystemDialogsTest, AnEmptyFilterGridHasNoRowsToScroll) {
  auto& item = Project.Add<TTaskListItem>();
  EXPECT_FALSE(Edit(item, [](TDialog& d) {
    d.ShowPage("pgcTask", 1);
    EXPECT_TRUE(d.Rows("vstFilter").empty());
    EXPECT_FALSE(GetWindowLongPtrW(d.Control("vstFilter"), GWL_STYLE) & WS_VSCROLL);
    d.Cancel();
  }));
}

TEST_F(SystemDialogsTest, ADoubleClickOnAnOperationCellOpensItsListAsAClickDoes) {
  auto& item = Project.Add<TTaskListItem>();
  item.Filter.Add().FieldName = "pid";
  EXPECT_FALSE(Edit(item, [](TDialog& d) {
    d.ShowPage("pgcTask", 1);
    TEditGrid& grid = d.EditGrid("vstFilter");
    RECT cell = {};
    ListView_GetSubItemRect(grid.Handle(), 0, 1, LVIR_BOUNDS, &cell);
    POINT centre = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(grid.Handle(), &centre);
    for (int clicks : {1, 2}) {
      ClickAt(centre, clicks);
      EXPECT_TRUE(grid.IsEditing()) << clicks << " click(s)";
      EXPECT_TRUE(grid.IsEditing() && SendMessageW(grid.Editor(), CB_GETDROPPEDSTATE, 0, 0))
          << clicks << " click(s): the list is not open";
      grid.CancelEdit();
    }
    d.Cancel();
  }));
}

TEST_F(SystemDialogsTest, CancelLeavesTheConditionsAsTheyWere) {
  auto& item = Project.Add<TTaskKillItem>();
  TCustomFilterItem& unknown = item.Filter.Add();
  unknown.FieldName = "FOO";
  unknown.Value = "1";
  TCustomFilterItem& known = item.Filter.Add();
  known.FieldName = "pid";
  known.Value = "4";
  Dialogs.FieldPicker().OnShown = [](TDialog& picker) {
    picker.Post([&picker] {
      picker.SetChecked("cbxField1", true);
      picker.PressOK();
    });
  };
  EXPECT_FALSE(Edit(item, [](TDialog& d) {
    d.ShowPage("pgcTask", 2);
    EXPECT_EQ(d.Rows("vstFilter").at(0), (TStrings{"FOO", "Equal", "1"}));
    EXPECT_EQ(d.Rows("vstFilter").at(1), (TStrings{"PID", "Equal", "4"}));
    SendMessageW(d.Control("btnAddField"), BM_CLICK, 0, 0);
    d.SetIndex("vstFilter", 0);
    SendMessageW(d.Control("btnDelete"), BM_CLICK, 0, 0);
    d.Cancel();
  }));
  ASSERT_EQ(item.Filter.Count(), 2u);
  EXPECT_EQ(item.Filter[0].FieldName, "FOO");
  EXPECT_EQ(item.Filter[1].FieldName, "pid");
}

TEST_F(SystemDialogsTest, RobocopyRunHoursAreSetInTimePickers) {
  auto& item = Project.Add<TRobocopyItem>();
  item.SrcDir = "C:\\a";
  item.DestDir = "D:\\b";
  EXPECT_TRUE(Edit(item, [](TDialog& d) {
    EXPECT_FALSE(IsWindowEnabled(d.Control("tedRunHoursStart")));
    d.SetChecked("cbxSetRunHours", true);  // runs its click handler
    EXPECT_TRUE(IsWindowEnabled(d.Control("tedRunHoursStart")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("tedRunHoursEnd")));
    d.SetTime("tedRunHoursStart", (7 * 60 + 5) / 1440.0);
    d.SetTime("tedRunHoursEnd", (18 * 60 + 30) / 1440.0);
    d.PressOK();
  }));
  EXPECT_NE(item.GetBatchText().find(" /RH:0705-1830"), std::string::npos) << item.GetBatchText();
  // Shown again as stored.
  EXPECT_FALSE(Edit(item, [](TDialog& d) {
    EXPECT_EQ(d.Time("tedRunHoursEnd"), (18 * 60 + 30) / 1440.0);
    d.Cancel();
  }));
}

}  // namespace
}  // namespace palvetta
