#include "gui/win/input_box.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "support/png_file.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

class InputBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InitTestControls());
  }
};

TEST_F(InputBoxTest, ShowsCaptionPromptAndInitialText) {
  std::string caption;
  std::string prompt;
  std::string text;
  ShowInputBox("New snippet", "Snippet name:", "Backup steps", "", nullptr, [&](TDialog& d) {
    d.Post([&d] {
      UpdateWindow(d.Handle());
      WritePngFile(ScreenshotFolder() / "input-box.png", CaptureClient(d.Handle()));
    });
    caption = WindowText(d.Handle());
    prompt = WindowText(d.Control("lblPrompt"));
    text = d.Text("edtText");
    d.Post([&d] { d.Cancel(); });
  });
  EXPECT_EQ(caption, "New snippet");
  EXPECT_EQ(prompt, "Snippet name:");
  EXPECT_EQ(text, "Backup steps");
}

enum class TClose { OkButton, EnterKey, CancelButton, EscKey, CloseWindow };

TEST_F(InputBoxTest, OkWithTextGivesItAsTypedAndEverythingElseTheDefault) {
  const struct {
    const char* typed;
    TClose close;
    const char* result;
  } cases[] = {
      {"Backup", TClose::OkButton, "Backup"},
      {"  two words\t", TClose::OkButton, "  two words\t"},
      {" x ", TClose::EnterKey, " x "},
      {"", TClose::OkButton, "fallback"},
      {"   ", TClose::OkButton, "fallback"},
      {" \t ", TClose::EnterKey, "fallback"},
      {"Backup", TClose::CancelButton, "fallback"},
      {"Backup", TClose::EscKey, "fallback"},
      {"Backup", TClose::CloseWindow, "fallback"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.typed << "' close " << static_cast<int>(c.close));
    const std::string result =
        ShowInputBox("Ask", "Name:", "initial", "fallback", nullptr, [&](TDialog& d) {
          d.SetText("edtText", c.typed);
          const HWND field = d.Control("edtText");
          switch (c.close) {
            case TClose::OkButton:
              PostMessageW(d.Control("btnOK"), BM_CLICK, 0, 0);
              break;
            case TClose::EnterKey:
              PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
              break;
            case TClose::CancelButton:
              PostMessageW(d.Control("btnCancel"), BM_CLICK, 0, 0);
              break;
            case TClose::EscKey:
              PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 1);
              break;
            case TClose::CloseWindow:
              PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
              break;
          }
          // Safety net: a dialog the input did not close fails instead of hanging.
          d.Post([&d] {
            ADD_FAILURE() << "the input box was still open";
            d.Cancel();
          });
        });
    EXPECT_EQ(result, c.result);
  }
}

}  // namespace
}  // namespace palvetta
