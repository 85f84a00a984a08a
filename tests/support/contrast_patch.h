#pragma once
// Readability measured from a screenshot: a patch of the picture where a control shows
// its text, its background and its text told apart by their colours.

#include <windows.h>

#include <string>

#include "gui/theme_palettes.h"
#include "support/png_file.h"

namespace palvetta {

TRgb ToRgb(COLORREF color);

// The commonest colour of the patch is taken as the background, and the colour that
// stands out most from it as the text (anti-aliased edges stand out less).
struct TPatch {
  COLORREF Background = 0;
  COLORREF Text = 0;
  double Contrast() const { return ContrastRatio(ToRgb(Text), ToRgb(Background)); }
};

// The patch of the image inside the area (image pixels; clipped to the image).
TPatch ReadPatch(const TRgbImage& image, RECT area);
// "text 000000 on FFFFFF", for failure messages.
std::string Describe(const TPatch& patch);

// A rectangle of a child control in the client coordinates of the window.
RECT InWindow(HWND control, HWND window, RECT area);

}  // namespace palvetta
