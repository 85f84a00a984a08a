#pragma once
// What the layout engine knows of each kind of node, one row per kind: whether it holds a
// value, whether it takes more height than it needs, and its natural size. A new kind of
// control is a new row here (and its window class in gui/win/controls).

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "gui/layout.h"

namespace palvetta {

// Sizes stay fractional until the final rectangles, so a layout at 144 dpi is the one at
// 96 dpi times 1.5 and not a sum of rounding errors.
struct TSizeF {
  double W = 0;
  double H = 0;
};

// The measures a sizing rule works with: the dialog font's text, lines and average
// characters, and 96-dpi pixels scaled to the layout's DPI.
class TLeafMetrics {
 public:
  TLeafMetrics(const TTextMeasurer& measurer, int dpi)
      : FMeasurer(measurer),
        FDpi(dpi),
        FLine(measurer.LineHeight()),
        FAverageChar(measurer.AverageCharWidth()) {}

  double Scaled(int pixels96) const { return pixels96 * FDpi / 96.0; }
  int Dpi() const { return FDpi; }
  double Line() const { return FLine; }
  double Text(std::string_view text) const { return FMeasurer.TextWidth(text); }
  double Chars(int count) const { return count * FAverageChar; }
  const TTextMeasurer& Measurer() const { return FMeasurer; }

 private:
  const TTextMeasurer& FMeasurer;
  int FDpi;
  double FLine;
  double FAverageChar;
};

struct TLayoutKindRule {
  TLayoutKind Kind;
  // Holds a value the dialog fills and reads, as opposed to labels, notes, buttons,
  // containers and spacers.
  bool HoldsValue;
  // One-line controls look broken when stretched vertically, so only these kinds take
  // more height than they need.
  bool GrowsVertically;
  // The room the node needs for its own text and frame; containers have none of their own.
  TSizeF (*NaturalSize)(const TLayoutNode& node, const TLeafMetrics& metrics);
};

// The tab strip of a pages node: as high as a line of text and its padding, as wide as
// its captions. The window layer gives the tab control this height too.
double TabStripHeight(double lineHeight, int dpi);
double TabStripWidth(const TLayoutNode& pages, const TLeafMetrics& metrics);

// A row of a three-state grid, its header row included: a line of text or a check box,
// whichever is higher, and room above and below. The window layer draws its rows this high.
double ThreeStateRowHeight(double lineHeight, int dpi);
// The header of a panel: a line of text and its padding. The window layer gives the
// header button this height.
double PanelHeaderHeight(double lineHeight, int dpi);
// The room of a panel group's vertical scroll bar.
double ScrollBarWidth(int dpi);

// A kind without a row is a fault in this table and raises std::logic_error.
const TLayoutKindRule& RuleOf(TLayoutKind kind);

// Tables of one row per kind (this one, the window classes of the controls) keep the
// order of TLayoutKind, so that a row is found by its kind's position.
template <class TRow, std::size_t N>
constexpr bool InKindOrder(const TRow (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].Kind) != i) return false;
  }
  return true;
}

template <class TRow, std::size_t N>
const TRow& RowOfKind(const TRow (&rows)[N], TLayoutKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index >= N) throw std::logic_error("a kind of layout node without its row in a table");
  return rows[index];
}

}  // namespace palvetta
