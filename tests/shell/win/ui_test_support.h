#pragma once
// What the window tests share: the common controls registered, an owner window, and a
// message box that records instead of showing.

#include <windows.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "shell/win/ui_seams.h"
#include "shell/win/window.h"

namespace palvetta {

// Registers every common control class the tests create; false when Windows refuses.
bool InitTestControls();

// A plain visible top-level window at (50, 50), 500 × 400, to own dialogs.
class TOwnerWindow : public TWindow {
 public:
  TOwnerWindow();
};

struct TShownMessage {
  std::string Text;
  std::string Caption;
  UINT Flags;
};

class TMessageRecorder : public TMessageBoxSeam {
 public:
  int Show(HWND owner, std::string_view text, std::string_view caption, UINT flags) override;

  std::vector<TShownMessage> Shown;
  // Consumed one per message; a message with none left is answered IDOK.
  std::deque<int> Answers;
};

}  // namespace palvetta
