#include "gui/window_metrics.h"

#include <algorithm>

#include "gui/placement.h"

namespace palvetta {

int TSplitterMetrics::ClampPosition(int position, int available, int dpi) const {
  const int least = FromDesign(LeastBefore, dpi);
  return std::clamp(position, least, std::max(least, available - FromDesign(LeastAfter, dpi)));
}

}  // namespace palvetta
