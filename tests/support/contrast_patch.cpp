#include "support/contrast_patch.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace palvetta {

TRgb ToRgb(COLORREF color) {
  return (static_cast<TRgb>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

TPatch ReadPatch(const TRgbImage& image, RECT area) {
  std::map<COLORREF, int> counts;
  for (int y = std::max<int>(0, area.top); y < std::min<int>(image.Height, area.bottom); ++y) {
    for (int x = std::max<int>(0, area.left); x < std::min<int>(image.Width, area.right); ++x) {
      ++counts[image.At(x, y)];
    }
  }
  TPatch patch;
  int most = 0;
  for (const auto& [color, count] : counts) {
    if (count > most) {
      most = count;
      patch.Background = color;
    }
  }
  double best = 0;
  for (const auto& [color, count] : counts) {
    const double contrast = ContrastRatio(ToRgb(color), ToRgb(patch.Background));
    if (contrast > best) {
      best = contrast;
      patch.Text = color;
    }
  }
  return patch;
}

std::string Describe(const TPatch& patch) {
  char text[64];
  std::snprintf(text, sizeof text, "text %06X on %06X", ToRgb(patch.Text),
                ToRgb(patch.Background));
  return text;
}

RECT InWindow(HWND control, HWND window, RECT area) {
  MapWindowPoints(control, window, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

}  // namespace palvetta
