#pragma once
// The dialog font and the layout engine's text measurer over it.

#include <windows.h>

#include <string_view>

#include "base/win/window_handles.h"
#include "gui/layout.h"

namespace palvetta {

// The system's message font (NONCLIENTMETRICS lfMessageFont): its face, weight and
// character set, at the given point size for a window at the given DPI.
TScopedFont CreateMessageFont(int points, int dpi);

// Pixel height a font of the given point size has at the given DPI (negative: character
// height, as LOGFONT wants it).
int FontHeightFor(int points, int dpi);

// Measures with GetTextExtentPoint32W in a memory DC holding the font; the font must
// outlive the measurer.
class TGdiTextMeasurer : public TTextMeasurer {
 public:
  explicit TGdiTextMeasurer(HFONT font);
  ~TGdiTextMeasurer() override;
  TGdiTextMeasurer(const TGdiTextMeasurer&) = delete;
  TGdiTextMeasurer& operator=(const TGdiTextMeasurer&) = delete;

  int TextWidth(std::string_view text) const override;
  int LineHeight() const override { return FLineHeight; }
  double AverageCharWidth() const override { return FAverageChar; }

 private:
  TScopedDC FDC;
  HGDIOBJ FOldFont = nullptr;
  int FLineHeight = 0;
  double FAverageChar = 0;
};

}  // namespace palvetta
