// The SC and ICACLS dialogs on screen: the computers, services and groups they list (from
// a fake system, and Wine's own service manager), the dependency picker, and the rules
// that enable or show their controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "editor_dialogs_fixture.h"
#include "editors/win/item_editor_dialogs.h"
#include "editors/win/windows_service_enumeration.h"
#include "support/fake_service_enumeration.h"
#include "gui/win/controls/list_control.h"
#include "items/access_control/icacls_items.h"
#include "items/item_families.h"
#include "items/service_control/service_control_items.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

using testing::Container;
using testing::Server;

class ServiceControlDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  ServiceControlDialogsTest() {
    Fake.Network[""] = {Container("WORKGROUP")};
    Fake.Network["WORKGROUP"] = {Server("\\\\PC1"), Server("\\\\PC2"), Server("\\\\PC3"),
                                 Server("\\\\PC4")};
    Fake.Services[""] = {{"Spooler", "Print Spooler"}, {"Tcpip", "TCP/IP"}};
    Fake.Services["\\\\PC2"] = {{"Remote", "Remote Thing"}};
    Fake.GroupOrder = std::string("Base\0NetworkProvider\0\0", 23);
  }

  bool Edit(TCustomProjectItem& item, std::function<void(TDialog&)> action) {
    return EditInDialog(Dialogs, item, Owner.Handle(), std::move(action));
  }

  size_t RootWalks() const {
    return static_cast<size_t>(std::count(Fake.OpenedContainers.begin(),
                                          Fake.OpenedContainers.end(), std::string()));
  }

  testing::TFakeServiceEnumeration Fake;
  TItemEditorDialogs Dialogs{AllEditorSpecs([](std::string_view) { return false; }), {}, &Fake};
  TOwnerWindow Owner;
};

TEST_F(ServiceControlDialogsTest, TheServerListIsWalkedOnceAndKeepsTheTypedText) {
  TSCPauseItem pause;
  pause.ServiceName = "Tcpip";
  ASSERT_TRUE(Edit(pause, [&](TDialog& d) {
    EXPECT_EQ(RootWalks(), 0u);  // not before the list is dropped down
    d.SetText("cmbServer", "typed");
    SendMessageW(d.Control("cmbServer"), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(d.Control("cmbServer"), CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageW(d.Control("cmbServer"), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(d.Control("cmbServer"), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(d.Entries("cmbServer"), (TStrings{"\\\\PC1", "\\\\PC2", "\\\\PC3", "\\\\PC4"}));
    EXPECT_EQ(d.Text("cmbServer"), "typed");
    d.PressOK();
  }));
  EXPECT_EQ(RootWalks(), 1u);
  EXPECT_EQ(pause.Server, "typed");
  EXPECT_EQ(pause.ServiceName, "Tcpip");
}

TEST_F(ServiceControlDialogsTest, TheServiceListFollowsTheServerBox) {
  TSCStartItem start;
  ASSERT_TRUE(Edit(start, [&](TDialog& d) {
    EXPECT_EQ(d.Entries("cmbService"), (TStrings{"Spooler (Print Spooler)", "Tcpip (TCP/IP)"}));
    d.SetText("cmbServer", "\\\\PC2");
    SetFocus(d.Control("cmbService"));
    EXPECT_EQ(d.Entries("cmbService"), TStrings{"Remote (Remote Thing)"});
    // A computer whose service manager cannot be opened lists nothing.
    d.SetText("cmbServer", "\\\\GONE");
    SetFocus(d.Control("cmbServer"));
    SetFocus(d.Control("cmbService"));
    EXPECT_EQ(d.Entries("cmbService"), TStrings{});
    d.SetText("cmbService", "Remote (Remote Thing)");
    d.PressOK();
  }));
  EXPECT_EQ(start.GetBatchText(), "SC \\\\GONE start Remote");
}

TEST_F(ServiceControlDialogsTest, StopReasonEnablesItsControlsAndTheCustomCodes) {
  TSCStopItem stop;
  stop.Reason = true;
  stop.MajorReason = TSCStopMajorReason::mrCustom;
  ASSERT_FALSE(Edit(stop, [&](TDialog& d) {
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbFlag")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedMajorReasonCustomCode")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("sedMinorReasonCustomCode")));
    SendMessageW(d.Control("cbxReason"), BM_CLICK, 0, 0);
    for (const char* control : {"cmbFlag", "cmbMajorReason", "sedMajorReasonCustomCode",
                                "cmbMinorReason", "sedMinorReasonCustomCode", "edtComment"}) {
      EXPECT_FALSE(IsWindowEnabled(d.Control(control))) << control;
    }
    SendMessageW(d.Control("cbxReason"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedMajorReasonCustomCode")));
    d.Cancel();
  }));
}

TEST_F(ServiceControlDialogsTest, QueryModeEnablesTheServiceOrTheFilters) {
  TSCQueryItem query;
  ASSERT_FALSE(Edit(query, [&](TDialog& d) {
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbService")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbType")));
    SendMessageW(d.Control("rbAllServicesFiltered"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbService")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("sedBufSize")));
    SendMessageW(d.Control("rbSelectedService"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbService")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtGroup")));
    d.Cancel();
  }));
}

TEST_F(ServiceControlDialogsTest, CreateOffersTheGroupsAndAddsPickedDependenciesOnce) {
  TSCCreateItem create;
  create.ServiceName = "Svc";
  create.Depend = {"Tcpip (TCP/IP)"};
  int picks = 0;
  Dialogs.ServicePicker().OnShown = [&](TDialog& picker) {
    picker.Post([&picker, &picks] {
      ++picks;
      EXPECT_EQ(picker.ListBox("lbxServices").Entries(),
                (TStrings{"Spooler (Print Spooler)", "Tcpip (TCP/IP)"}));
      EXPECT_EQ(picker.ListBox("lbxGroups").Entries(), (TStrings{"Base", "NetworkProvider"}));
      picker.ListBox("lbxServices").SetSelected(0, true);
      picker.ListBox("lbxServices").SetSelected(1, true);
      picker.ListBox("lbxGroups").SetSelected(1, true);
      picker.PressOK();
    });
  };
  ASSERT_TRUE(Edit(create, [&](TDialog& d) {
    EXPECT_EQ(d.Entries("cmbGroup"), (TStrings{"Base", "NetworkProvider"}));
    SendMessageW(d.Control("btnAdd"), BM_CLICK, 0, 0);
    SendMessageW(d.Control("btnAdd"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.ListBox("lbxDepend").Entries(),
              (TStrings{"Tcpip (TCP/IP)", "Spooler (Print Spooler)", "+NetworkProvider"}));
    d.ListBox("lbxDepend").SetSelected(0, true);
    SendMessageW(d.Control("btnDel"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  EXPECT_EQ(picks, 2);
  EXPECT_EQ(create.Depend, (TStrings{"Spooler (Print Spooler)", "+NetworkProvider"}));
  EXPECT_EQ(create.Dependencies(), "Spooler/+NetworkProvider");
  EXPECT_EQ(create.ServiceName, "Svc");
}

// Without a group order to read, the group list keeps what it offered before.
TEST_F(ServiceControlDialogsTest, AMissingGroupOrderKeepsTheGroupList) {
  TSCCreateItem create;
  ASSERT_FALSE(Edit(create, [](TDialog& d) { d.Cancel(); }));
  Fake.GroupOrder.reset();
  ASSERT_FALSE(Edit(create, [](TDialog& d) {
    EXPECT_EQ(d.Entries("cmbGroup"), (TStrings{"Base", "NetworkProvider"}));
    d.Cancel();
  }));
}

TEST(WindowsServiceEnumeration, WinesServiceManagerListsTheSpooler) {
  TWindowsServiceEnumeration system;
  const std::optional<TStrings> services = ListServices(system, "");
  ASSERT_TRUE(services);
  EXPECT_TRUE(std::any_of(services->begin(), services->end(), [](const std::string& entry) {
    return entry.starts_with("Spooler (");
  })) << JoinWith(*services, "\n");
}

TEST_F(ServiceControlDialogsTest, ReplaceACLShowsOnlyForAGrant) {
  TICACLSDenyItem deny;
  TICACLSGrantItem grant;
  ASSERT_FALSE(Edit(deny, [](TDialog& d) {
    EXPECT_FALSE(IsWindowVisible(d.Control("cbxR")));
    EXPECT_TRUE(IsWindowVisible(d.Control("cbxSimpleRX")));
    d.Cancel();
  }));
  ASSERT_FALSE(Edit(grant, [](TDialog& d) {
    EXPECT_TRUE(IsWindowVisible(d.Control("cbxR")));
    d.Cancel();
  }));
  deny.R = true;
  ASSERT_TRUE(Edit(deny, [](TDialog& d) {
    EXPECT_FALSE(IsWindowVisible(d.Control("cbxR")));
    d.SetChecked("cbxSpecificWA", true);
    d.PressOK();
  }));
  EXPECT_TRUE(deny.R);  // kept, never written
  EXPECT_EQ(deny.SpecificRights, RightBit(TSpecificRight::srWA));
}

TEST_F(ServiceControlDialogsTest, RestoreEnablesTheSIDBoxesWithReplaceSID) {
  TICACLSRestoreItem restore;
  restore.T = true;
  ASSERT_TRUE(Edit(restore, [](TDialog& d) {
    EXPECT_FALSE(d.HasControl("cbxT"));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbOldSID")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbNewSID")));
    SendMessageW(d.Control("cbxReplaceSID"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbOldSID")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbNewSID")));
    d.SetText("cmbOldSID", "Old");
    d.SetText("cmbNewSID", "New");
    d.PressOK();
  }));
  EXPECT_TRUE(restore.T);
  EXPECT_TRUE(restore.ReplaceSID);
  EXPECT_EQ(restore.SIDNew, "New");
}

}  // namespace
}  // namespace palvetta
