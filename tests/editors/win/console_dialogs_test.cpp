// The console dialogs on screen: the code-page dialogs taking a chosen entry or a typed
// number and keeping a code page GRAFTABL does not list, and PROMPT's special codes
// inserted at the caret or over the selection.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_dialogs_fixture.h"
#include "items/console/console_items.h"
#include "model/project.h"

namespace palvetta {
namespace {

class ConsoleDialogsTest : public EditorDialogsFixture {
 protected:
  TProject Project;
};

TEST_F(ConsoleDialogsTest, CHCPTakesATypedNumberOrAnEntryAndRefusesOtherText) {
  auto& chcp = Project.Add<TCHCPItem>();
  EXPECT_TRUE(Edit(chcp, [](TDialog& d) {
    d.SetText("cmbCodePage", "1252");
    d.PressOK();
  }));
  EXPECT_EQ(chcp.CodePage, "1252");
  EXPECT_EQ(chcp.GetBatchText(), "CHCP 1252");

  bool focused = false;
  EXPECT_FALSE(Edit(chcp, [&](TDialog& d) {
    // The stored code page is shown as its entry.
    EXPECT_EQ(d.Text("cmbCodePage"), "1252 (Western European, Windows)");
    d.SetText("cmbCodePage", "cp850");
    d.PressOK();
    focused = GetFocus() == d.Control("cmbCodePage") || IsChild(d.Control("cmbCodePage"), GetFocus());
    d.Cancel();
  }));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{
                              "Please choose a code page in the list or type its number, for example 850."});
  EXPECT_TRUE(focused);
  EXPECT_EQ(chcp.CodePage, "1252");

  EXPECT_TRUE(Edit(chcp, [](TDialog& d) {
    const std::vector<std::string> entries = d.Entries("cmbCodePage");
    ASSERT_EQ(entries.back(), "65001 (UTF-8)");
    d.SetIndex("cmbCodePage", static_cast<int>(entries.size()) - 1);
    d.PressOK();
  }));
  EXPECT_EQ(chcp.CodePage, "65001");

  // A code page the list lacks is shown as typed text, and a blank field is plain CHCP.
  chcp.CodePage = "20127";
  EXPECT_TRUE(Edit(chcp, [](TDialog& d) {
    EXPECT_EQ(d.Text("cmbCodePage"), "20127");
    d.SetText("cmbCodePage", " ");
    d.PressOK();
  }));
  EXPECT_EQ(chcp.GetBatchText(), "CHCP");
}

TEST_F(ConsoleDialogsTest, GraftablKeepsACodePageItDoesNotListWithItsRemark) {
  auto& graftabl = Project.Add<TGraphTablItem>();
  graftabl.CodePage = "1252";
  for (int opening = 0; opening < 2; ++opening) {
    EXPECT_TRUE(Edit(graftabl, [](TDialog& d) {
      const std::vector<std::string> entries = d.Entries("cmbCodePage");
      ASSERT_EQ(entries.size(), 12u);
      EXPECT_EQ(entries.back(), "1252 (not accepted by GRAFTABL)");
      EXPECT_EQ(d.Index("cmbCodePage"), 11);
      EXPECT_TRUE(IsWindowEnabled(d.Control("cmbCodePage")));
      d.PressOK();
    }));
    EXPECT_EQ(graftabl.CodePage, "1252");
  }

  // A listed entry replaces it, and the remark is gone on the next opening; the status
  // disables the list.
  EXPECT_TRUE(Edit(graftabl, [](TDialog& d) {
    d.SetIndex("cmbCodePage", 1);
    d.PressOK();
  }));
  EXPECT_EQ(graftabl.GetBatchText(), "GRAFTABL 850");
  EXPECT_TRUE(Edit(graftabl, [](TDialog& d) {
    EXPECT_EQ(d.Entries("cmbCodePage").size(), 11u);
    EXPECT_EQ(d.Text("cmbCodePage"), "850 (Western European, DOS)");
    d.SetChecked("rbStatus", true);
    EXPECT_FALSE(IsWindowEnabled(d.Control("cmbCodePage")));
    d.SetChecked("rbSetCodePage", true);
    EXPECT_TRUE(IsWindowEnabled(d.Control("cmbCodePage")));
    d.SetChecked("rbStatus", true);
    d.PressOK();
  }));
  EXPECT_EQ(graftabl.GetBatchText(), "GRAFTABL /STATUS");
  EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(ConsoleDialogsTest, PromptInsertsTheChosenCodeAtTheCaretOrOverTheSelection) {
  auto& prompt = Project.Add<TPromptItem>();
  prompt.Prompt = "$N";
  EXPECT_TRUE(Edit(prompt, [](TDialog& d) {
    const HWND field = d.Control("edtPrompt");
    // Nothing chosen yet: Insert does nothing.
    SendMessageW(d.Control("btnInsert"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtPrompt"), "$N");
    SendMessageW(field, EM_SETSEL, 2, 2);
    d.SetIndex("cmbSpecialCode", 10);  // Current drive and path
    SendMessageW(d.Control("btnInsert"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtPrompt"), "$N$P");
    // The caret stands after the code: the next one follows it.
    d.SetIndex("cmbSpecialCode", 6);  // >
    SendMessageW(d.Control("btnInsert"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtPrompt"), "$N$P$G");
    SendMessageW(field, EM_SETSEL, 0, 2);
    d.SetIndex("cmbSpecialCode", 3);  // Current date
    SendMessageW(d.Control("btnInsert"), BM_CLICK, 0, 0);
    EXPECT_EQ(d.Text("edtPrompt"), "$D$P$G");
    d.PressOK();
  }));
  EXPECT_EQ(prompt.GetBatchText(), "PROMPT $D$P$G");
}

}  // namespace
}  // namespace palvetta
