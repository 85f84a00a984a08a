#pragma once
// What the tests of the item editor dialogs share: the dialogs of every item, a recorder
// in place of message boxes, an owner window, and a way to act in a dialog once shown.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text.h"
#include "editors/editor_spec.h"
#include "editors/win/item_editor_dialogs.h"
#include "gui/win/ui_seams.h"
#include "items/item_families.h"
#include "support/ui_test_support.h"

namespace palvetta {

// Shows the item's dialog, runs the action in it once shown, and reports whether the
// item took the values.
inline bool EditInDialog(TItemEditorDialogs& dialogs, TCustomProjectItem& item, HWND owner,
                         std::function<void(TDialog&)> action) {
  dialogs.OnShown = [action = std::move(action)](TDialog& dialog) {
    dialog.Post([&dialog, action] {
      action(dialog);
      // A safety net: a test that forgot to close the dialog fails instead of hanging.
      dialog.Post([&dialog] {
        if (dialog.ModalResult() == TModalResult::mrNone) {
          ADD_FAILURE() << "the dialog was still open";
          dialog.Cancel();
        }
      });
    });
  };
  return dialogs.Execute(item, owner);
}

class EditorDialogsFixture : public ::testing::Test {
 public:
  // The user picks the entry of a drop-down list: its change handler runs, as after a
  // real pick.
  static void Choose(TDialog& dialog, const std::string& combo, int index) {
    dialog.SetIndex(combo, index);
    const HWND control = dialog.Control(combo);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
  }
  static void Click(TDialog& dialog, const std::string& control) {
    SendMessageW(dialog.Control(control), BM_CLICK, 0, 0);
  }

 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitTestControls()); }

  bool Edit(TCustomProjectItem& item, std::function<void(TDialog&)> action) {
    return EditInDialog(Dialogs, item, Owner.Handle(), std::move(action));
  }

  // The texts of the messages shown so far.
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : Messages.Shown) texts.push_back(shown.Text);
    return texts;
  }

 protected:
  // The program's environment as the tests want it: only FAKEVAR, in any case, as
  // Windows compares variable names.
  TItemEditorDialogs Dialogs{AllEditorSpecs([](std::string_view name) {
    return SameTextAscii(name, "FAKEVAR");
  })};
  TMessageRecorder Messages;
  TScopedMessageBoxSeam Seam{Messages};
  TOwnerWindow Owner;
};

}  // namespace palvetta
