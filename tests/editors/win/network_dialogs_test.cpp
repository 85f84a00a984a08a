// The remote query, network and 7-Zip dialogs on screen: the OK checks of GPRESULT,
// IPCONFIG, the FTP upload and the list of PCs with their messages and focus, the
// controls that GPRESULT's and IPCONFIG's buttons enable, and the pickers of the 7-Zip
// dialogs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/win/item_editor_dialogs.h"
#include "items/network/network_items.h"
#include "items/remote_query/remote_query_items.h"
#include "items/seven_zip/seven_zip_items.h"
#include "model/project.h"
#include "editor_dialogs_fixture.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class NetworkDialogsTest : public EditorDialogsFixture {
 protected:
  // Presses OK with the values the setup puts in; expects the dialog to stay open with
  // the message and the focus on the field, then cancels.
  void ExpectRefused(TCustomProjectItem& item, const std::function<void(TDialog&)>& setup,
                     const std::string& message, const std::string& focus) {
    Messages.Shown.clear();
    bool focused = false;
    EXPECT_FALSE(Edit(item, [&](TDialog& d) {
      setup(d);
      d.PressOK();
      ASSERT_EQ(d.ModalResult(), TModalResult::mrNone);
      focused = GetFocus() == d.Control(focus);
      d.Cancel();
    }));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{message});
    EXPECT_TRUE(focused) << focus;
  }

  TProject Project;
};

TEST_F(NetworkDialogsTest, GPResultChecksInOrderAndEnablesByOutputAndScope) {
  auto& gpresult = Project.Add<TGPResultItem>();
  const std::string noSystem =
      "User and Password are used only with a remote system. Type the remote system, or clear "
      "User and Password.";
  const std::string withFile =
      "GPRESULT does not accept User and Password together with an XML or HTML file. Clear User "
      "and Password, or choose Standard output.";
  ExpectRefused(gpresult, [](TDialog& d) { d.SetText("edtUser", "admin"); }, noSystem, "edtSystem");
  ExpectRefused(
      gpresult,
      [](TDialog& d) {
        d.SetText("edtSystem", "PC1");
        d.SetText("edtPassword", "x");
        d.SetChecked("rbHTML", true);
        d.SetText("edtFileName", "r.html");
      },
      withFile, "edtPassword");
  ExpectRefused(gpresult, [](TDialog& d) { d.SetChecked("rbXML", true); },
                "Type the name of the file to save the report to.", "edtFileName");

  // Cancel closes without any check.
  Messages.Shown.clear();
  EXPECT_FALSE(Edit(gpresult, [](TDialog& d) {
    d.SetText("edtUser", "admin");
    d.Cancel();
  }));
  EXPECT_TRUE(Messages.Shown.empty());

  EXPECT_TRUE(Edit(gpresult, [](TDialog& d) {
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtFileName")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("btnBrowse")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("cbxF")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtScopeUser")));
    d.SetChecked("rbHTML", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtFileName")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("cbxF")));
    d.SetChecked("rbScopeComputer", true);
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtScopeUser")));
    d.SetText("edtFileName", "C:\\My Reports\\r.html");
    d.SetChecked("cbxF", true);
    d.PressOK();
  }));
  EXPECT_EQ(gpresult.GetBatchText(), "GPRESULT /SCOPE COMPUTER /H \"C:\\My Reports\\r.html\" /F");
}

// The adapter and the IP version are for the modes that name an adapter; only the class
// ID modes need one.
TEST_F(NetworkDialogsTest, IPConfigEnablesByModeAndNeedsAnAdapterForClassIDs) {
  auto& ipconfig = Project.Add<TIPConfigItem>();
  ExpectRefused(ipconfig, [](TDialog& d) { d.SetChecked("rbModeShowClassID", true); },
                "Please enter \"Adapter\"!", "edtAdapter");
  EXPECT_TRUE(Edit(ipconfig, [](TDialog& d) {
    const auto enabled = [&d](const char* name) { return IsWindowEnabled(d.Control(name)) != FALSE; };
    EXPECT_FALSE(enabled("edtAdapter"));
    EXPECT_FALSE(enabled("rbIPv6"));
    EXPECT_FALSE(enabled("edtClassID"));
    d.SetChecked("rbModeRenew", true);
    EXPECT_TRUE(enabled("edtAdapter"));
    EXPECT_TRUE(enabled("rbIPv6"));
    EXPECT_FALSE(enabled("edtClassID"));
    d.SetChecked("rbModeSetClassID", true);
    EXPECT_TRUE(enabled("edtAdapter"));
    EXPECT_TRUE(enabled("edtClassID"));
    d.SetChecked("rbModeFlushDNS", true);
    EXPECT_FALSE(enabled("edtAdapter"));
    EXPECT_FALSE(enabled("rbIPv4"));
    // Releasing needs no adapter: OK closes.
    d.SetChecked("rbModeRelease", true);
    d.SetChecked("rbIPv6", true);
    d.PressOK();
  }));
  EXPECT_EQ(ipconfig.GetBatchText(), "ipconfig /release6 ");
}

TEST_F(NetworkDialogsTest, FTPUploadRefusesQuotesOnlyInTheCredentials) {
  auto& upload = Project.Add<TFTPUploadItem>();
  const std::string message = "The user name and password cannot contain a double quote (\").";
  ExpectRefused(upload, [](TDialog& d) { d.SetText("edtUsername", "bo\"b"); }, message, "edtUsername");
  ExpectRefused(upload, [](TDialog& d) { d.SetText("edtPassword", "\"x"); }, message, "edtPassword");
  EXPECT_TRUE(Edit(upload, [](TDialog& d) {
    d.SetText("edtHost", "\"srv\"");
    d.SetText("edtDir", "\"in\"");
    d.SetText("edtFilename", "a.txt");
    d.PressOK();
  }));
  EXPECT_EQ(upload.Host, "\"srv\"");
}

TEST_F(NetworkDialogsTest, ListOfPCsNeedsAFileName) {
  auto& list = Project.Add<TCreateAListOfPCSItem>();
  ExpectRefused(list, [](TDialog& d) { d.SetText("edtFileName", "  "); },
                "Please enter file name to save the list to", "edtFileName");
  EXPECT_TRUE(Edit(list, [](TDialog& d) {
    d.SetText("edtFileName", "pcs.txt");
    d.SetChecked("cbxOverwrite", true);
    d.PressOK();
  }));
  EXPECT_EQ(list.FileName, "pcs.txt");
  EXPECT_TRUE(static_cast<TCustomProjectItem&>(list).Overwrite);
}

// The create dialog saves a new archive and suggests ".zip"; the extract dialog opens
// one that exists.
TEST_F(NetworkDialogsTest, SevenZipPickers) {
  TFilePickerRecorder pickers;
  pickers.Answers = {"D:\\new.zip", "D:\\old.7z"};
  TScopedFilePickerSeam seam(pickers);
  auto& create = Project.Add<TSevenZipCreateItem>();
  EXPECT_TRUE(Edit(create, [](TDialog& d) {
    SendMessageW(d.Control("btnBrowseArchFileName"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  auto& extract = Project.Add<TSevenZipExtractItem>();
  EXPECT_TRUE(Edit(extract, [](TDialog& d) {
    SendMessageW(d.Control("btnBrowseArchFileName"), BM_CLICK, 0, 0);
    d.PressOK();
  }));
  ASSERT_EQ(pickers.Calls.size(), 2u);
  EXPECT_EQ(pickers.Calls[0].Kind, TPickerKind::pkSave);
  EXPECT_EQ(pickers.Calls[0].Args.Filter, "ZIP archives (*.zip)|*.zip");
  EXPECT_EQ(pickers.Calls[0].Args.DefaultExt, ".zip");
  EXPECT_EQ(pickers.Calls[1].Kind, TPickerKind::pkOpen);
  EXPECT_EQ(pickers.Calls[1].Args.Filter, "Archives (*.zip;*.7z)|*.zip;*.7z|All files (*.*)|*.*");
  EXPECT_EQ(create.ArchFileName, "D:\\new.zip");
  EXPECT_EQ(extract.ArchFileName, "D:\\old.7z");
}

}  // namespace
}  // namespace palvetta
