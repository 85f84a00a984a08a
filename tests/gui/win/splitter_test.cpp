#include "gui/win/splitter.h"

#include <gtest/gtest.h>

#include "gui/placement.h"
#include "support/ui_test_support.h"

namespace palvetta {
namespace {

// A window whose mouse messages go to its splitter first, as the main window's do.
class TSplitWindow : public TWindow {
 public:
  TSplitWindow() {
    TWindowArgs args;
    args.Title = "Split";
    args.Pos = {40, 40, 700, 300};
    Create(args);
    Splitter.Attach(Handle(), 96);
    Splitter.OnMoved = [this] { ++Moves; };
  }
  int ClientWidth() const {
    RECT client = {};
    GetClientRect(Handle(), &client);
    return client.right;
  }
  void Mouse(UINT message, int x) { SendMessageW(Handle(), message, 0, MAKELPARAM(x, 10)); }

  TSplitter Splitter;
  int Moves = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (Splitter.HandleMouse(message, wParam, lParam, result)) return result;
    return TWindow::HandleMessage(message, wParam, lParam);
  }
};

TEST(SplitterTest, ADragOnTheBarMovesItWithinTheLeastWidthsOfThePanes) {
  TSplitWindow window;
  const TSplitterMetrics metrics;
  ASSERT_EQ(window.Splitter.Position(), metrics.DefaultBefore);
  EXPECT_EQ(window.Splitter.End(), metrics.DefaultBefore + metrics.Width);

  // A press beside the bar starts nothing.
  window.Mouse(WM_LBUTTONDOWN, metrics.DefaultBefore - 1);
  window.Mouse(WM_MOUSEMOVE, 400);
  window.Mouse(WM_LBUTTONUP, 400);
  EXPECT_EQ(window.Splitter.Position(), metrics.DefaultBefore);
  EXPECT_EQ(window.Moves, 0);

  window.Mouse(WM_LBUTTONDOWN, metrics.DefaultBefore + 2);
  window.Mouse(WM_MOUSEMOVE, 320);
  EXPECT_EQ(window.Splitter.Position(), 320);
  window.Mouse(WM_MOUSEMOVE, 10);
  EXPECT_EQ(window.Splitter.Position(), metrics.LeastBefore);
  window.Mouse(WM_MOUSEMOVE, window.ClientWidth());
  EXPECT_EQ(window.Splitter.Position(), window.ClientWidth() - metrics.LeastAfter);
  window.Mouse(WM_LBUTTONUP, window.ClientWidth());
  EXPECT_EQ(window.Moves, 3);

  // The drag is over: moving the mouse no longer moves the bar.
  window.Mouse(WM_MOUSEMOVE, 300);
  EXPECT_EQ(window.Splitter.Position(), window.ClientWidth() - metrics.LeastAfter);
  EXPECT_EQ(window.Moves, 3);
}

TEST(SplitterTest, ADragEndsWhenAnotherWindowTakesTheMouse) {
  TSplitWindow window;
  TOwnerWindow other;
  window.Mouse(WM_LBUTTONDOWN, window.Splitter.Position());
  SetCapture(other.Handle());
  window.Mouse(WM_MOUSEMOVE, 400);
  EXPECT_EQ(window.Splitter.Position(), TSplitterMetrics{}.DefaultBefore);
  ReleaseCapture();
}

}  // namespace
}  // namespace palvetta
