#pragma once
// Sizes and rectangles in pixels, shared by window layout and window placement.

namespace palvetta {

struct TSize {
  int Width = 0;
  int Height = 0;

  bool operator==(const TSize&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool IsEmpty() const { return Width <= 0 || Height <= 0; }

  bool operator==(const TRect&) const = default;
};

}  // namespace palvetta
