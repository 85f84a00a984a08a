#include "gui/win/view_bounds.h"

namespace palvetta {
namespace {

struct TViewState {
  RECT Window;
  RECT Client;
  int Vertical;
  int Horizontal;

  bool SameButHeight(const TViewState& other) const {
    return Window.left == other.Window.left && Window.top == other.Window.top &&
           Window.right == other.Window.right && Client.right == other.Client.right &&
           Vertical == other.Vertical && Horizontal == other.Horizontal;
  }
};

TViewState StateOf(HWND view) {
  TViewState state = {};
  GetWindowRect(view, &state.Window);
  GetClientRect(view, &state.Client);
  state.Vertical = GetScrollPos(view, SB_VERT);
  state.Horizontal = GetScrollPos(view, SB_HORZ);
  return state;
}

}  // namespace

void SetViewBounds(HWND view, const TRect& bounds) {
  const TViewState before = StateOf(view);
  SetWindowPos(view, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const TViewState after = StateOf(view);
  if (!after.SameButHeight(before)) return;
  ValidateRect(view, nullptr);
  if (after.Client.bottom > before.Client.bottom) {
    const RECT gained = {0, before.Client.bottom, after.Client.right, after.Client.bottom};
    InvalidateRect(view, &gained, TRUE);
  }
}

}  // namespace palvetta
