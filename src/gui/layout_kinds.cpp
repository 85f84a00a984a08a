#include "gui/layout_kinds.h"

#include <algorithm>
#include <cmath>

namespace palvetta {
namespace {

// Room a standard Windows control needs around its text, in 96-dpi pixels.
constexpr int kFieldEdge = 4;    // border and inner margin on each side of a field
constexpr int kArrowWidth = 17;  // drop-down arrow, spin buttons, vertical scroll bar
constexpr int kButtonMinWidth = 75;
constexpr int kButtonMinHeight = 23;
constexpr int kButtonPadding = 10;  // each side of a button's caption
constexpr int kBoxSize = 13;        // check box or radio circle
constexpr int kBoxGap = 8;          // between the box and its caption (see BoxSize)
constexpr int kComboTextGap = 6;    // around a drop-down list's text, so it never meets the arrow
constexpr int kBoxPadding = 2;      // above and below a check box's line
constexpr int kCellPadding = 6;     // each side of a grid cell's text
constexpr int kRowPadding = 4;      // added to the line height of a grid row
constexpr int kGridBorder = 2;
constexpr int kTabPadding = 4;      // above and below a tab's caption
constexpr int kTabSide = 12;        // each side of a tab's caption
constexpr int kPanelPadding = 4;    // above and below a panel header's caption

constexpr int kNoteChars = 50;
constexpr int kEditChars = 20;
constexpr int kMemoChars = 40;
constexpr int kMemoLines = 4;
constexpr int kComboChars = 10;
constexpr int kDriveComboChars = 16;
constexpr int kNumberChars = 6;
constexpr int kGridChars = 30;
constexpr int kGridRows = 6;
constexpr int kDateChars = 12;
constexpr int kListChars = 30;
constexpr int kListLines = 4;

int OrDefault(int value, int fallback) { return value > 0 ? value : fallback; }

double FieldEdges(const TLeafMetrics& m) { return 2 * m.Scaled(kFieldEdge); }
double FieldHeight(const TLeafMetrics& m) { return m.Line() + FieldEdges(m); }
// A field of the given characters, with room for an arrow, spin buttons or a scroll bar.
double ArrowFieldWidth(const TLeafMetrics& m, int chars) {
  return m.Chars(chars) + FieldEdges(m) + m.Scaled(kArrowWidth);
}

TSizeF NoSize(const TLayoutNode&, const TLeafMetrics&) { return {}; }

TSizeF LabelSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Text(node.Text), m.Line()};
}

TSizeF NoteSize(const TLayoutNode& node, const TLeafMetrics& m) {
  // A word wider than the note widens it rather than overflow.
  double width = m.Chars(OrDefault(node.Chars, kNoteChars));
  for (const auto& word : WrapText(node.Text, 0, m.Measurer())) {
    width = std::max(width, m.Text(word));
  }
  width = std::ceil(width);
  const auto lines = WrapText(node.Text, static_cast<int>(width), m.Measurer());
  return {width, std::max<std::size_t>(1, lines.size()) * m.Line()};
}

TSizeF EditSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Chars(OrDefault(node.Chars, kEditChars)) + FieldEdges(m), FieldHeight(m)};
}

TSizeF MemoSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {ArrowFieldWidth(m, OrDefault(node.Chars, kMemoChars)),
          OrDefault(node.Lines, kMemoLines) * m.Line() + FieldEdges(m)};
}

TSizeF ComboSize(const TLayoutNode& node, const TLeafMetrics& m) {
  double text = m.Chars(node.Chars);
  for (const auto& entry : node.Entries) text = std::max(text, m.Text(entry));
  if (text <= 0) text = m.Chars(kComboChars);
  return {text + m.Scaled(kComboTextGap) + FieldEdges(m) + m.Scaled(kArrowWidth), FieldHeight(m)};
}

// Room for a drive the machine does not have, which the list marks as such.
TSizeF DriveComboSize(const TLayoutNode&, const TLeafMetrics& m) {
  return {m.Chars(kDriveComboChars) + FieldEdges(m) + m.Scaled(kArrowWidth), FieldHeight(m)};
}

// Windows sets the caption half a digit's width and a pixel from the box: the gap holds
// that up to 12 pt, and a visual style's box a little wider than the classic one.
TSizeF BoxSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Scaled(kBoxSize) + m.Scaled(kBoxGap) + m.Text(node.Text),
          std::max(m.Scaled(kBoxSize), m.Line()) + 2 * m.Scaled(kBoxPadding)};
}

TSizeF ButtonSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {std::max(m.Scaled(kButtonMinWidth), m.Text(node.Text) + 2 * m.Scaled(kButtonPadding)),
          std::max(m.Scaled(kButtonMinHeight), FieldHeight(m))};
}

TSizeF NumberSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {ArrowFieldWidth(m, OrDefault(node.Chars, kNumberChars)), FieldHeight(m)};
}

TSizeF GridSize(const TLayoutNode& node, const TLeafMetrics& m) {
  double headers = 0;
  for (const auto& column : node.Entries) headers += m.Text(column) + 2 * m.Scaled(kCellPadding);
  const double text =
      std::max(headers, m.Chars(node.Chars > 0 || headers > 0 ? node.Chars : kGridChars));
  const double headerHeight = m.Line() + 2 * m.Scaled(kCellPadding);
  const double rowHeight = m.Line() + m.Scaled(kRowPadding);
  return {text + 2 * m.Scaled(kGridBorder) + m.Scaled(kArrowWidth),
          headerHeight + OrDefault(node.Lines, kGridRows) * rowHeight + 2 * m.Scaled(kGridBorder)};
}

// The captions' column as wide as its widest text; the two state columns share one width,
// their wider caption's or the check box's, so that the boxes line up; a header row and
// one row per state, all shown.
TSizeF ThreeStateGridSize(const TLayoutNode& node, const TLeafMetrics& m) {
  double captions = node.Entries.empty() ? 0 : m.Text(node.Entries[0]);
  for (const auto& row : node.StateRows) captions = std::max(captions, m.Text(row.Caption));
  double state = m.Scaled(kBoxSize);
  for (std::size_t c = 1; c < node.Entries.size(); ++c) state = std::max(state, m.Text(node.Entries[c]));
  const double width = captions + 2 * state + 3 * 2 * m.Scaled(kCellPadding);
  return {width + 2 * m.Scaled(kGridBorder),
          ThreeStateRowHeight(m.Line(), m.Dpi()) * static_cast<double>(node.StateRows.size() + 1) +
              2 * m.Scaled(kGridBorder)};
}

TSizeF DateSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {ArrowFieldWidth(m, OrDefault(node.Chars, kDateChars)), FieldHeight(m)};
}

TSizeF ProgressSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Chars(OrDefault(node.Chars, kEditChars)), FieldHeight(m)};
}

TSizeF IconSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Scaled(node.Pixels), m.Scaled(node.Pixels)};
}

TSizeF ListSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {ArrowFieldWidth(m, OrDefault(node.Chars, kListChars)),
          OrDefault(node.Lines, kListLines) * m.Line() + FieldEdges(m)};
}

TSizeF SpacerSize(const TLayoutNode& node, const TLeafMetrics& m) {
  return {m.Scaled(node.Pixels), m.Scaled(node.Pixels)};
}

// In the order of TLayoutKind.
constexpr TLayoutKindRule kRules[] = {
    {TLayoutKind::lkColumn, false, true, NoSize},
    {TLayoutKind::lkRow, false, true, NoSize},
    {TLayoutKind::lkLabel, false, false, LabelSize},
    {TLayoutKind::lkNote, false, false, NoteSize},
    {TLayoutKind::lkEdit, true, false, EditSize},
    {TLayoutKind::lkMemo, true, true, MemoSize},
    {TLayoutKind::lkCombo, true, false, ComboSize},
    {TLayoutKind::lkCheck, true, false, BoxSize},
    {TLayoutKind::lkRadio, true, false, BoxSize},
    {TLayoutKind::lkButton, false, false, ButtonSize},
    {TLayoutKind::lkNumber, true, false, NumberSize},
    {TLayoutKind::lkGrid, true, true, GridSize},
    {TLayoutKind::lkSpacer, false, true, SpacerSize},
    // Its size is its pages' (the layout engine measures them) and its tab strip's.
    {TLayoutKind::lkPages, false, true, NoSize},
    {TLayoutKind::lkThreeStateGrid, true, false, ThreeStateGridSize},
    {TLayoutKind::lkDate, true, false, DateSize},
    {TLayoutKind::lkList, true, true, ListSize},
    // Both measured by the layout engine: a header above a column, and a column.
    {TLayoutKind::lkPanel, false, true, NoSize},
    {TLayoutKind::lkPanelGroup, false, true, NoSize},
    {TLayoutKind::lkDriveCombo, true, false, DriveComboSize},
    // Sized like a date picker: a field with its spin buttons.
    {TLayoutKind::lkTime, true, false, DateSize},
    {TLayoutKind::lkProgress, false, false, ProgressSize},
    {TLayoutKind::lkIcon, false, false, IconSize},
};

static_assert(InKindOrder(kRules), "the rows follow the order of TLayoutKind");

}  // namespace

double ThreeStateRowHeight(double lineHeight, int dpi) {
  return std::max(lineHeight, kBoxSize * dpi / 96.0) + 2 * kRowPadding * dpi / 96.0;
}

double TabStripHeight(double lineHeight, int dpi) {
  return lineHeight + 2 * kTabPadding * dpi / 96.0;
}

double TabStripWidth(const TLayoutNode& pages, const TLeafMetrics& m) {
  double width = 0;
  for (const auto& page : pages.Children) width += m.Text(page.Text) + 2 * m.Scaled(kTabSide);
  return width;
}

double PanelHeaderHeight(double lineHeight, int dpi) {
  return lineHeight + 2 * kPanelPadding * dpi / 96.0;
}

double ScrollBarWidth(int dpi) { return kArrowWidth * dpi / 96.0; }

const TLayoutKindRule& RuleOf(TLayoutKind kind) { return RowOfKind(kRules, kind); }

bool HoldsValue(TLayoutKind kind) { return RuleOf(kind).HoldsValue; }

}  // namespace palvetta
