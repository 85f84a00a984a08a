#pragma once
// The sizes of a window laid out by hand rather than from a dialog description: its
// margins, its one-line fields and the splitter between two panes side by side. Lengths
// are in 96-dpi pixels; the window scales them to its DPI.

namespace palvetta {

struct TSplitterMetrics {
  int Width = 5;
  int DefaultBefore = 260;  // the width of the pane before the bar until the user moves it
  int LeastBefore = 100;
  int LeastAfter = 150;

  // The bar's position in pixels (the width of the pane before it) in a client that many
  // pixels wide at the DPI: the pane before keeps its least width, the pane after its
  // own while there is room for both.
  int ClampPosition(int position, int available, int dpi) const;
};

struct TWindowMetrics {
  int Margin = 4;         // at the client's edges and between neighbouring controls
  int FieldPadding = 8;   // a one-line field's height over its line of text
  int DropDownLines = 8;  // room below a combo box's field for its list, in lines
  TSplitterMetrics Splitter;
};

}  // namespace palvetta
