#pragma once
// Windows and dialogs described as a tree of named controls and laid out in code, so a
// change of font size or monitor DPI only needs a new layout, never a new template. The
// engine knows no window: text is measured through TTextMeasurer, which the window layer
// implements with the real dialog font.

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "gui/geometry.h"

namespace palvetta {

enum class TLayoutKind {
  lkColumn,  // children stacked top to bottom
  lkRow,     // children side by side, left to right
  lkLabel,   // one line of text
  lkNote,    // text wrapped at a given width
  lkEdit,    // one-line field
  lkMemo,    // field of several lines
  lkCombo,   // drop-down list
  lkCheck,   // check box with caption
  lkRadio,   // radio button with caption
  lkButton,
  lkNumber,  // number field with spin buttons
  lkGrid,    // grid or list with column headers
  lkSpacer,  // empty room along its parent's axis
  lkPages,   // tabs above pages: its children are the pages, captioned by their Text
  lkThreeStateGrid,  // rows each left out, set or not set, with a check box per state
  lkDate,            // date picker
  lkList,            // list box of entries, several of them selectable
  lkPanel,           // a caption header above its children (a column), which it can collapse
  lkPanelGroup,      // panels in a column, scrolled vertically when they need more room
  lkDriveCombo,      // drop-down list of the machine's drives (see FreeDrives)
  lkTime,            // time picker: hours and minutes with spin buttons
  lkProgress,        // progress bar, showing a position of 0..100 or a marquee
  lkIcon,            // an icon of Pixels by Pixels
};

// Controls that hold a value the dialog reads and fills, as opposed to labels, notes,
// buttons, containers and spacers.
bool HoldsValue(TLayoutKind kind);

enum class TAlign { alStart, alCentre, alEnd };

// How a grid cell is edited and what it holds.
enum class TGridColumnKind {
  gcText,       // typed in place
  gcPickIndex,  // picked from the column's fixed entries; holds the entry's index as decimal text
  gcPickText,   // picked from choices given when the grid is filled; holds the chosen text
  gcFixed,      // shown, never edited in place
};

struct TGridColumn {
  std::string Caption;
  TGridColumnKind Kind = TGridColumnKind::gcText;
  TStrings Entries = {};  // pick-index columns: the entries, in index order

  static TGridColumn Text(std::string caption) { return {std::move(caption)}; }
  static TGridColumn PickIndex(std::string caption, TStrings entries) {
    return {std::move(caption), TGridColumnKind::gcPickIndex, std::move(entries)};
  }
  static TGridColumn PickText(std::string caption) {
    return {std::move(caption), TGridColumnKind::gcPickText};
  }
  static TGridColumn Fixed(std::string caption) {
    return {std::move(caption), TGridColumnKind::gcFixed};
  }
};

// A row of a three-state grid: its caption and the editor field that holds its state (the
// ordinal of "left out", "set", "not set").
struct TThreeStateRow {
  std::string Caption;
  std::string Field;
};

// Lengths are in 96-dpi pixels unless a field says otherwise; characters are average
// characters of the current font.
struct TLayoutNode {
  TLayoutKind Kind = TLayoutKind::lkColumn;
  std::string Name;  // how the window layer finds the control; unnamed nodes get no rectangle
  std::string Text;  // caption; a container's group box caption
  TStrings Entries;  // combo: its entries; grid: its column headers
  std::vector<TGridColumn> Columns;  // grid: its columns, captions as in Entries (empty: all text)
  std::vector<TThreeStateRow> StateRows;  // three-state grid: its rows
  int Chars = 0;     // edit, memo, combo, number, grid, note: minimum width (0: the kind's default)
  int Lines = 0;     // memo, list: visible lines; grid: visible rows; combo: entries visible
                     // when dropped (0: the kind's default)
  int Pixels = 0;    // spacer: its length along the parent's axis; panel group: its
                     // largest preferred height (0: its panels' height)
  int64_t Minimum = 0;  // number: the smallest value
  int64_t Maximum = 0;  // number: the largest value
  int Stretch = 0;   // share of the parent's extra room along the parent's axis
  bool Fill = true;  // takes the whole cross axis of the parent
  TAlign Align = TAlign::alStart;  // on the cross axis when not filling it
  bool Visible = true;             // hidden nodes take no room
  int Indent = 0;                  // room left of the node, e.g. a field under a check box
  int Page = 0;                    // pages: the page shown; the others' controls are hidden
  bool Collapsed = false;          // panel: only its header shows
  int Scroll = 0;                  // panel group: pixels scrolled past its top
  bool Group = false;              // container: drawn in a group box captioned Text
  bool LabelPair = false;          // container: a label and its field, kept at the label gap
  bool AlignLabels = false;        // column: labels of its label-beside rows share one width
  std::vector<TLayoutNode> Children;
  // drive combo: the roots of the letters no drive uses ("E:\") instead of the drives'
  // letters
  bool FreeDrives = false;
};

struct TLayoutSpacing {
  int Margin = 11;       // between the client edge and the controls
  int Gap = 7;           // between neighbouring controls
  int LabelGap = 3;      // between a label and its field
  int GroupPadding = 9;  // inside a group box, below its caption and around its contents
};

class TTextMeasurer {
 public:
  virtual ~TTextMeasurer() = default;
  // Pixels in the current font at the current DPI.
  virtual int TextWidth(std::string_view text) const = 0;
  virtual int LineHeight() const = 0;
  // Fractional, so that a field of 40 characters is not 40 rounding errors wide: the
  // window layer divides the extent of "A".."Z","a".."z" by 52.
  virtual double AverageCharWidth() const = 0;
};

struct TLayoutContext {
  const TTextMeasurer& Measurer;
  int Dpi = 96;
  TLayoutSpacing Spacing = {};
};

// The rectangle of every named node in client pixels; a hidden node, or one inside a
// hidden container, gets an empty rectangle at the origin.
using TLayoutRects = std::map<std::string, TRect, std::less<>>;

// The smallest client size, margins included, at which every control gets the room its
// text needs.
TSize PreferredSize(const TLayoutNode& root, const TLayoutContext& context);

// Extra room goes to nodes with a stretch factor, in proportion to the factors; without
// any, the children stay packed at the start. A client smaller than the preferred size
// does not shrink controls below their minimum: they run past its edge, and the window
// layer is expected to grow the window to the preferred size instead. Two nodes of one
// name are a description fault and raise std::logic_error.
TLayoutRects Layout(const TLayoutNode& root, TRect client, const TLayoutContext& context);

// Turns every pages node above the named node to the page that holds it and expands
// every panel above it, so that the control can be shown and focused; false when no node
// has the name.
bool ShowPageOf(TLayoutNode& root, std::string_view name);

// The height of a panel group's panels, stacked, in pixels: how far it can scroll, with
// the height of its rectangle as the page.
int PanelGroupContentHeight(const TLayoutNode& group, const TLayoutContext& context);

// Collapses every panel of the tree; false when it has none.
bool CollapseAllPanels(TLayoutNode& root);

// The lines a note shows at the given width: breaks at spaces and line breaks; a word
// wider than the width gets a line of its own.
TStrings WrapText(std::string_view text, int width, const TTextMeasurer& measurer);

// Builders for short dialog descriptions. Single-line controls keep their natural height
// however much room they get; memos, grids and containers grow.
TLayoutNode Column(std::vector<TLayoutNode> children);
TLayoutNode Row(std::vector<TLayoutNode> children);
TLayoutNode GroupBox(std::string name, std::string caption, std::vector<TLayoutNode> children);
// A column whose label-beside rows line their fields up.
TLayoutNode Form(std::vector<TLayoutNode> children);
TLayoutNode Label(std::string name, std::string text);
TLayoutNode Note(std::string name, std::string text, int chars = 50);
TLayoutNode Edit(std::string name, int chars = 20);
TLayoutNode Memo(std::string name, int lines = 4, int chars = 40);
TLayoutNode Combo(std::string name, TStrings entries, int chars = 0);
TLayoutNode Check(std::string name, std::string caption);
TLayoutNode Radio(std::string name, std::string caption);
TLayoutNode Button(std::string name, std::string caption);
// A whole number from minimum to maximum; anything else typed reads as the nearest.
TLayoutNode Number(std::string name, int chars = 6, int64_t minimum = 0,
                   int64_t maximum = 0x7fffffff);
// All columns typed in place. The list overload keeps Grid(name, {"A", "B"}) from being
// read as a pair of iterators into TGridColumn.
TLayoutNode Grid(std::string name, TStrings columns, int rows = 6, int chars = 0);
TLayoutNode Grid(std::string name, std::initializer_list<std::string> columns, int rows = 6,
                 int chars = 0);
TLayoutNode Grid(std::string name, std::vector<TGridColumn> columns, int rows = 6, int chars = 0);
TLayoutNode Spacer(int pixels = 0, int stretch = 1);
// A grid of fixed rows, each left out, set or not set: three column captions (the rows'
// captions, "set", "not set") and the rows.
TLayoutNode ThreeStateGrid(std::string name, TStrings columns, std::vector<TThreeStateRow> rows);
TLayoutNode DatePicker(std::string name, int chars = 12);
// A time of day, hours and minutes, changed with spin buttons.
TLayoutNode TimePicker(std::string name, int chars = 6);
TLayoutNode ListBox(std::string name, int lines = 4, int chars = 30);
// Tabs captioned by each page's Text, above the page shown; every page is as large as the
// largest, so switching pages never resizes the dialog.
TLayoutNode Pages(std::string name, std::vector<TLayoutNode> pages);
TLayoutNode Page(std::string caption, std::vector<TLayoutNode> children);
// A header captioned caption above its children; a click on the header collapses the
// panel to it, or expands it again.
TLayoutNode Panel(std::string name, std::string caption, std::vector<TLayoutNode> children,
                  bool collapsed = false);
// Panels stacked in a column that scrolls when they are taller than its room; it asks for
// no more height than maxHeight (96-dpi pixels, 0: no limit) and takes the extra room.
TLayoutNode PanelGroup(std::string name, std::vector<TLayoutNode> panels, int maxHeight = 0);
// A pick-only list of the machine's drives, its value a drive letter ("C"); with
// freeDrives, the roots of the letters no drive uses, its value such a root ("E:\").
// A stored drive the machine does not have is offered too, so confirming keeps it.
TLayoutNode DriveCombo(std::string name, bool freeDrives = false);
TLayoutNode ProgressBar(std::string name, int chars = 40);
// Room for an icon of the given size in 96-dpi pixels, drawn at the dialog's DPI.
TLayoutNode Icon(std::string name, int pixels = 32);

TLayoutNode Stretched(TLayoutNode node, int factor = 1);
TLayoutNode Indented(TLayoutNode node, int pixels = 20);
TLayoutNode Aligned(TLayoutNode node, TAlign align);  // also stops it filling the cross axis
TLayoutNode Hidden(TLayoutNode node);

// The label of a field is named after it: "edtName" gets "lblName".
std::string LabelNameFor(std::string_view fieldName);
TLayoutNode LabelAbove(std::string caption, TLayoutNode field);
TLayoutNode LabelBeside(std::string caption, TLayoutNode field);
// btnOK and btnCancel, right-aligned.
TLayoutNode OkCancelRow();
// The body on top, taking the extra height, and the OK/Cancel row at the bottom.
TLayoutNode Dialog(std::vector<TLayoutNode> body);

}  // namespace palvetta
