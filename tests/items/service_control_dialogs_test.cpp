// The SC dialogs' lists filled from the system and their dependency buttons, on a fake
// system and a dialog in memory.

#include <gtest/gtest.h>

#include <string>

#include "items/service_control/service_control_items.h"
#include "support/editor_spec_lookup.h"
#include "support/fake_editor_dialog.h"

namespace palvetta {
namespace {

using testing::Server;
using testing::TFakeEditorDialog;

void SetUpSystem(TFakeEditorDialog& dialog) {
  dialog.System.Network[""] = {Server("\\\\PC1"), Server("\\\\PC2")};
  dialog.System.Services[""] = {{"Spooler", "Print Spooler"}, {"Tcpip", "TCP/IP"}};
  dialog.System.Services["\\\\PC2"] = {{"Remote", "Remote Thing"}};
  dialog.System.GroupOrder = std::string("Base\0NetworkProvider\0\0", 23);
}

// The network is walked on the first drop-down of each dialog only; the services follow
// the computer box when the dialog opens and when their list gets the focus.
TEST(ServiceControlDialogs, ServersOnceAndServicesOfTheComputer) {
  for (const TClass* cls : {&TSCQueryItem::Class, &TSCStartItem::Class, &TSCPauseItem::Class,
                            &TSCStopItem::Class, &TSCContinueItem::Class,
                            &TSCInterrogateItem::Class, &TSCDeleteItem::Class}) {
    SCOPED_TRACE(cls->Name);
    TFakeEditorDialog dialog(SpecOf(*cls));
    SetUpSystem(dialog);
    dialog.Show();
    EXPECT_TRUE(dialog.System.OpenedContainers.empty());
    EXPECT_EQ(dialog.ComboEntries["cmbService"], (TStrings{"Spooler (Print Spooler)", "Tcpip (TCP/IP)"}));
    ASSERT_TRUE(dialog.DropDown("cmbServer"));
    ASSERT_TRUE(dialog.DropDown("cmbServer"));
    EXPECT_EQ(dialog.System.OpenedContainers, (std::vector<std::string>{""}));
    EXPECT_EQ(dialog.ComboEntries["cmbServer"], (TStrings{"\\\\PC1", "\\\\PC2"}));
    dialog.Texts["cmbServer"] = "\\\\PC2";
    ASSERT_TRUE(dialog.Focus("cmbService"));
    EXPECT_EQ(dialog.ComboEntries["cmbService"], TStrings{"Remote (Remote Thing)"});
    // A computer whose service manager cannot be opened lists nothing.
    dialog.Texts["cmbServer"] = "\\\\GONE";
    dialog.Focus("cmbService");
    EXPECT_EQ(dialog.ComboEntries["cmbService"], TStrings{});
    EXPECT_EQ(dialog.BusyRuns, 4);
  }
}

TEST(ServiceControlDialogs, CreateOffersTheGroupsAndKeepsThemWhenUnreadable) {
  TFakeEditorDialog dialog(SpecOf(TSCCreateItem::Class));
  SetUpSystem(dialog);
  dialog.Show();
  EXPECT_EQ(dialog.ComboEntries["cmbGroup"], (TStrings{"Base", "NetworkProvider"}));
  dialog.System.GroupOrder.reset();
  dialog.Show();
  EXPECT_EQ(dialog.ComboEntries["cmbGroup"], (TStrings{"Base", "NetworkProvider"}));
}

// "Add" offers the computer's services and the listed groups and adds each chosen one
// once; a cancelled pick changes nothing; "Delete" removes the selected entries.
TEST(ServiceControlDialogs, DependencyButtonsAddPickedOnceAndDeleteSelected) {
  TFakeEditorDialog dialog(SpecOf(TSCCreateItem::Class));
  SetUpSystem(dialog);
  dialog.Texts["cmbServer"] = "\\\\PC2";
  dialog.ComboEntries["cmbGroup"] = {"Base", "NetworkProvider"};
  dialog.ListBoxEntries["lbxDepend"] = {"Remote (Remote Thing)"};
  ASSERT_TRUE(dialog.Click("btnAdd"));
  EXPECT_EQ(dialog.ListBoxEntries["lbxDepend"], TStrings{"Remote (Remote Thing)"});
  dialog.DependenciesToPick = TPickedDependencies{{"Remote (Remote Thing)"}, {" NetworkProvider"}};
  ASSERT_TRUE(dialog.Click("btnAdd"));
  ASSERT_EQ(dialog.DependencyPicks.size(), 2u);
  EXPECT_EQ(dialog.DependencyPicks[1].first, TStrings{"Remote (Remote Thing)"});
  EXPECT_EQ(dialog.DependencyPicks[1].second, (TStrings{"Base", "NetworkProvider"}));
  EXPECT_EQ(dialog.ListBoxEntries["lbxDepend"],
            (TStrings{"Remote (Remote Thing)", "+NetworkProvider"}));
  dialog.ListBoxSelected["lbxDepend"] = {0};
  ASSERT_TRUE(dialog.Click("btnDel"));
  EXPECT_EQ(dialog.ListBoxEntries["lbxDepend"], TStrings{"+NetworkProvider"});
}

}  // namespace
}  // namespace palvetta
