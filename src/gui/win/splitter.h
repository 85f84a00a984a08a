#pragma once
// The bar between two panes side by side in a window's client area, which the user drags
// to share the width between them. The window draws nothing for it: the bar is the gap
// it leaves between the panes. The window hands the mouse messages to the splitter first
// and lays its panes out again when the bar moves.

#include <windows.h>

#include <functional>

#include "gui/window_metrics.h"

namespace palvetta {

class TSplitter {
 public:
  explicit TSplitter(TSplitterMetrics metrics = {}) : FMetrics(metrics) {}

  // The window whose client area holds the bar; the bar starts at its default place.
  void Attach(HWND window, int dpi);
  // The window moved to a monitor of another DPI; the bar stays where it is.
  void SetDpi(int dpi) { FDpi = dpi; }

  // The bar's left edge, which is the width of the pane before it, and its right edge,
  // where the pane after it starts (client pixels).
  int Position() const { return FPosition; }
  int End() const;
  // Puts the bar at the position, within the panes' least widths for a client that many
  // pixels wide.
  void MoveTo(int position, int available);

  // The mouse over the bar shows the sizing cursor, and a drag moves the bar (OnMoved
  // runs after every step). true when the message was the splitter's alone; result then
  // holds what the window procedure returns.
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  std::function<void()> OnMoved;

 private:
  bool Hits(int x) const { return x >= FPosition && x < End(); }

  TSplitterMetrics FMetrics;
  HWND FWindow = nullptr;
  int FDpi = 96;
  int FPosition = 0;
  bool FDragging = false;
};

}  // namespace palvetta
