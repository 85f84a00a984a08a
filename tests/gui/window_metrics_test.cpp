#include "gui/window_metrics.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(SplitterMetricsTest, ThePaneBeforeKeepsItsLeastWidthAndThePaneAfterItsOwnWhileThereIsRoom) {
  const TSplitterMetrics metrics;  // least 100 before, 150 after
  const struct {
    const char* name;
    int position;
    int available;
    int dpi;
    int expected;
  } cases[] = {
      {"room for both", 300, 800, 96, 300},
      {"too narrow before", 40, 800, 96, 100},
      {"too narrow after", 700, 800, 96, 650},
      {"no room for both: the pane before wins", 300, 200, 96, 100},
      {"least widths follow the DPI", 100, 800, 144, 150},
      {"the pane after at 144 dpi", 700, 800, 144, 575},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(metrics.ClampPosition(c.position, c.available, c.dpi), c.expected);
  }
}

}  // namespace
}  // namespace palvetta
