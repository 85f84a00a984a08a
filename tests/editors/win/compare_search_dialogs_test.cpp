// The compare, search, print and write-to-file dialogs on screen: the OK checks with
// their messages and focus, radio buttons enabling their fields, and the folder-list
// picker's round trip.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/text.h"
#include "editors/win/item_editor_dialogs.h"
#include "items/compare_search/compare_search_items.h"
#include "model/project.h"
#include "editor_dialogs_fixture.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class CompareSearchDialogsTest : public EditorDialogsFixture {
 protected:
  TProject Project;
};

TEST_F(CompareSearchDialogsTest, FindShowsBothMessagesAndFocusesTheFieldToFill) {
  auto& find = Project.Add<TFindItem>();
  const struct {
    const char* searchFor;
    const char* path;
    std::vector<std::string> messages;
    const char* focus;
  } cases[] = {
      {"", "", {"Please enter a string to search for!", "Please enter path!"}, "edtPath"},
      {" ", "a.txt", {"Please enter a string to search for!"}, "edtSearchFor"},
      {"x", "  ", {"Please enter path!"}, "edtPath"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.focus);
    Messages.Shown.clear();
    bool focused = false;
    EXPECT_FALSE(Edit(find, [&](TDialog& d) {
      d.SetText("edtSearchFor", c.searchFor);
      d.SetText("edtPath", c.path);
      d.PressOK();
      ASSERT_EQ(d.ModalResult(), TModalResult::mrNone);
      focused = GetFocus() == d.Control(c.focus);
      d.Cancel();
    }));
    EXPECT_EQ(ShownTexts(), c.messages);
    EXPECT_TRUE(focused);
  }
  EXPECT_TRUE(Edit(find, [](TDialog& d) {
    d.SetText("edtSearchFor", "x");
    d.SetText("edtPath", "a.txt");
    d.PressOK();
  }));
  EXPECT_EQ(find.GetBatchText(), "FIND \"x\" \"a.txt\"");
}

TEST_F(CompareSearchDialogsTest, WriteToFileEnablesTheChosenValueAndChecksItFirst) {
  auto& write = Project.Add<TWriteToFileItem>();
  bool focused = false;
  EXPECT_FALSE(Edit(write, [&](TDialog& d) {
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtVarName")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtText")));
    d.SetChecked("rbWriteText", true);
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtVarName")));
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtText")));
    // An empty text stops the checks: the empty file name is not reported.
    d.PressOK();
    focused = GetFocus() == d.Control("edtText");
    d.SetChecked("rbVariable", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtVarName")));
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtText")));
    d.Cancel();
  }));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Please enter text!"});
  EXPECT_TRUE(focused);

  Messages.Shown.clear();
  EXPECT_TRUE(Edit(write, [](TDialog& d) {
    d.SetText("edtVarName", "RESULT");
    d.PressOK();
    EXPECT_EQ(d.ModalResult(), TModalResult::mrNone);
    d.SetText("edtPath", "C:\\out\\log.txt");
    d.SetChecked("cbxOverwrite", true);
    d.PressOK();
  }));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Please enter file name!"});
  EXPECT_EQ(write.GetBatchText(), ">\"C:\\out\\log.txt\" ECHO(%RESULT%");
  EXPECT_FALSE(static_cast<TCustomProjectItem&>(write).Overwrite);
}

TEST_F(CompareSearchDialogsTest, PrintEnablesTheDeviceOnlyForASelectedDevice) {
  auto& print = Project.Add<TPrintItem>();
  EXPECT_TRUE(Edit(print, [](TDialog& d) {
    EXPECT_TRUE(d.Checked("rbToSelectedDevice"));
    EXPECT_TRUE(IsWindowEnabled(d.Control("edtDevice")));
    d.SetChecked("rbToDefaultDevice", true);
    EXPECT_FALSE(IsWindowEnabled(d.Control("edtDevice")));
    d.PressOK();
  }));
  EXPECT_TRUE(print.ToDefaultDevice);
}

// The picker shows one folder per line and gives back the filled lines, trimmed and
// joined by ";"; Cancel leaves the field as it was.
TEST_F(CompareSearchDialogsTest, FolderListPickerRoundTrip) {
  auto& findStr = Project.Add<TFindStrItem>();
  findStr.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
  findStr.ListOfDirs = "C:\\a; ;C:\\b";
  TStrings shownLines;
  bool confirm = true;
  Dialogs.FolderList().OnShown = [&](TDialog& picker) {
    picker.Post([&] {
      if (shownLines.empty()) shownLines = SplitLines(picker.Text("memFolders"));
      if (confirm) {
        picker.PressOK();
      } else {
        picker.SetText("memFolders", "D:\\other");
        picker.Cancel();
      }
    });
  };
  EXPECT_TRUE(Edit(findStr, [&](TDialog& d) {
    EXPECT_TRUE(IsWindowEnabled(d.Control("sbnListOfFolders")));
    SendMessageW(d.Control("sbnListOfFolders"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtListOfFolders"), "C:\\a;C:\\b");
    confirm = false;
    SendMessageW(d.Control("sbnListOfFolders"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtListOfFolders"), "C:\\a;C:\\b");
    d.PressOK();
  }));
  EXPECT_EQ(shownLines, (TStrings{"C:\\a", " ", "C:\\b"}));
  EXPECT_EQ(findStr.ListOfDirs, "C:\\a;C:\\b");
}

}  // namespace
}  // namespace palvetta
