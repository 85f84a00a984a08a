#pragma once
// What the window tests share: the common controls registered, an owner window, and a
// message box that records instead of showing.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/win/action_binding.h"
#include "gui/win/ui_seams.h"
#include "gui/win/window.h"

namespace palvetta {

// Runs the dispatch step until the condition holds or ten seconds pass; false when time
// ran out or the step says the program is quitting.
bool PumpWith(const std::function<bool()>& dispatch, const std::function<bool()>& condition);
// Dispatches messages until the condition holds, running the idle work of the actions as
// the program's loop does.
bool PumpUntil(TActionBinding& binding, const std::function<bool()>& condition);
// The same through a window's own loop step (the main window's).
template <class Window>
  requires requires(Window& window) { window.DispatchPending(); }
bool PumpUntil(Window& window, const std::function<bool()>& condition) {
  return PumpWith([&] { return window.DispatchPending(); }, condition);
}

// Clicks the left mouse button at the screen point, through the system's input as a user
// would (the window under the point, or the one holding the mouse, gets it): twice in
// quick succession for a double-click. Then dispatches messages for longer than the
// double-click time, so that what the clicks started has settled.
void ClickAt(POINT screen, int clicks = 1);

// Registers every common control class the tests create; false when Windows refuses.
bool InitTestControls();

// What a report list view shows in a cell.
std::string ListViewCellText(HWND listView, int col, int row);

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
