#include "gui/layout.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "gui/layout_kinds.h"

namespace palvetta {

namespace {

struct TRectF {
  double X = 0;
  double Y = 0;
  double W = 0;
  double H = 0;
};

bool IsContainer(const TLayoutNode& node) {
  return node.Kind == TLayoutKind::lkColumn || node.Kind == TLayoutKind::lkRow;
}

bool GrowsVertically(const TLayoutNode& node) { return RuleOf(node.Kind).GrowsVertically; }

double AlignOffset(double room, TAlign align) {
  if (room <= 0) return 0;
  switch (align) {
    case TAlign::alStart:
      return 0;
    case TAlign::alCentre:
      return room / 2;
    case TAlign::alEnd:
      return room;
  }
  return 0;
}

void CollectNames(const TLayoutNode& node, std::set<std::string>& names) {
  if (!node.Name.empty() && !names.insert(node.Name).second) {
    throw std::logic_error("layout: the name " + node.Name + " is used twice");
  }
  for (const auto& child : node.Children) CollectNames(child, names);
}

class TEngine {
 public:
  explicit TEngine(const TLayoutContext& context)
      : FContext(context), FMetrics(context.Measurer, context.Dpi) {}

  double Scaled(int pixels96) const { return FMetrics.Scaled(pixels96); }
  double Margin() const { return Scaled(FContext.Spacing.Margin); }

  // firstWidth widens the first child of a label-beside row to the labels' common width.
  TSizeF Measure(const TLayoutNode& node, double firstWidth = 0) const {
    if (!node.Visible) return {};
    if (IsContainer(node)) return MeasureContainer(node, firstWidth);
    if (node.Kind == TLayoutKind::lkPages) return MeasurePages(node);
    if (node.Kind == TLayoutKind::lkPanel) return MeasurePanel(node);
    if (node.Kind == TLayoutKind::lkPanelGroup) return MeasurePanelGroup(node);
    const TSizeF size = RuleOf(node.Kind).NaturalSize(node, FMetrics);
    return {std::ceil(size.W), std::ceil(size.H)};
  }

  void Arrange(const TLayoutNode& node, TRectF rect, double firstWidth, TLayoutRects& rects) const {
    if (!node.Visible) {
      MarkHidden(node, rects);
      return;
    }
    if (!node.Name.empty()) rects[node.Name] = Rounded(rect);
    if (IsContainer(node)) ArrangeChildren(node, rect, firstWidth, rects);
    if (node.Kind == TLayoutKind::lkPages) ArrangePages(node, rect, rects);
    if (node.Kind == TLayoutKind::lkPanel) ArrangePanel(node, rect, rects);
    if (node.Kind == TLayoutKind::lkPanelGroup) ArrangePanelGroup(node, rect, rects);
  }

  // A panel group's panels, stacked.
  double ContentHeight(const TLayoutNode& group) const { return MeasureContainer(group, 0).H; }

 private:
  static bool IsRow(const TLayoutNode& node) { return node.Kind == TLayoutKind::lkRow; }
  double Gap(const TLayoutNode& node) const {
    return Scaled(node.LabelPair ? FContext.Spacing.LabelGap : FContext.Spacing.Gap);
  }
  double Text(std::string_view text) const { return FMetrics.Text(text); }

  // A spacer counts only along its parent's axis; the indent belongs to the child's room.
  TSizeF Outer(const TLayoutNode& child, bool parentIsRow, double firstWidth) const {
    if (!child.Visible) return {};
    if (child.Kind == TLayoutKind::lkSpacer) {
      const double length = Scaled(child.Pixels);
      return parentIsRow ? TSizeF{length, 0} : TSizeF{0, length};
    }
    TSizeF size = Measure(child, firstWidth);
    size.W += Scaled(child.Indent);
    return size;
  }

  // The labels' common width that an aligning column hands to its label-beside rows.
  double LabelsWidth(const TLayoutNode& column) const {
    if (!column.AlignLabels || IsRow(column)) return 0;
    double width = 0;
    for (const auto& child : column.Children) {
      if (IsLabelRow(child)) width = std::max(width, Outer(child.Children[0], true, 0).W);
    }
    return width;
  }
  static bool IsLabelRow(const TLayoutNode& node) {
    return node.Visible && node.Kind == TLayoutKind::lkRow && node.LabelPair &&
           !node.Children.empty() && node.Children[0].Visible;
  }

  // The outer sizes of a container's children, the first of a label row widened.
  std::vector<TSizeF> ChildSizes(const TLayoutNode& node, double firstWidth) const {
    const double labelsWidth = LabelsWidth(node);
    std::vector<TSizeF> sizes;
    for (std::size_t i = 0; i < node.Children.size(); ++i) {
      const TLayoutNode& child = node.Children[i];
      TSizeF size = Outer(child, IsRow(node), IsLabelRow(child) ? labelsWidth : 0);
      if (i == 0 && IsRow(node) && child.Visible) size.W = std::max(size.W, firstWidth);
      sizes.push_back(size);
    }
    return sizes;
  }

  double GroupTop() const { return FMetrics.Line() + Scaled(FContext.Spacing.GroupPadding); }
  double GroupSide() const { return Scaled(FContext.Spacing.GroupPadding); }

  TSizeF MeasureContainer(const TLayoutNode& node, double firstWidth) const {
    const bool row = IsRow(node);
    const std::vector<TSizeF> sizes = ChildSizes(node, firstWidth);
    double main = 0;
    double cross = 0;
    int visible = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      if (!node.Children[i].Visible) continue;
      ++visible;
      main += row ? sizes[i].W : sizes[i].H;
      cross = std::max(cross, row ? sizes[i].H : sizes[i].W);
    }
    if (visible > 1) main += (visible - 1) * Gap(node);
    TSizeF size = row ? TSizeF{main, cross} : TSizeF{cross, main};
    if (node.Group) {
      size.W = std::max(size.W + 2 * GroupSide(), Text(node.Text) + 2 * GroupSide());
      size.H += GroupTop() + GroupSide();
    }
    return size;
  }

  // Pages lie below the tab strip, a gap away from it.
  double PagesTop() const { return TabStripHeight(FMetrics.Line(), FMetrics.Dpi()) + Scaled(FContext.Spacing.Gap); }

  TSizeF MeasurePages(const TLayoutNode& node) const {
    TSizeF size{TabStripWidth(node, FMetrics), 0};
    for (const auto& page : node.Children) {
      const TSizeF pageSize = Measure(page);
      size.W = std::max(size.W, pageSize.W);
      size.H = std::max(size.H, pageSize.H);
    }
    return {std::ceil(size.W), std::ceil(size.H + PagesTop())};
  }

  void ArrangePages(const TLayoutNode& node, TRectF rect, TLayoutRects& rects) const {
    const TRectF content{rect.X, rect.Y + PagesTop(), rect.W, rect.H - PagesTop()};
    for (std::size_t i = 0; i < node.Children.size(); ++i) {
      if (static_cast<int>(i) == node.Page) {
        Arrange(node.Children[i], content, 0, rects);
      } else {
        MarkHidden(node.Children[i], rects);
      }
    }
  }

  // A panel's header, then (expanded) its children as a column, inset like a group box's.
  double PanelHeader() const { return PanelHeaderHeight(FMetrics.Line(), FMetrics.Dpi()); }
  double PanelTop() const { return PanelHeader() + Scaled(FContext.Spacing.Gap); }
  double HeaderWidth(const TLayoutNode& panel) const {
    return Text("- " + panel.Text) + 2 * GroupSide();
  }

  TSizeF MeasurePanel(const TLayoutNode& node) const {
    if (node.Collapsed) return {std::ceil(HeaderWidth(node)), std::ceil(PanelHeader())};
    const TSizeF body = MeasureContainer(node, 0);
    return {std::ceil(std::max(HeaderWidth(node), body.W + 2 * GroupSide())),
            std::ceil(PanelTop() + body.H + GroupSide())};
  }

  void ArrangePanel(const TLayoutNode& node, TRectF rect, TLayoutRects& rects) const {
    if (!node.Name.empty()) rects[node.Name] = Rounded({rect.X, rect.Y, rect.W, PanelHeader()});
    if (node.Collapsed) {
      for (const auto& child : node.Children) MarkHidden(child, rects);
      return;
    }
    ArrangeChildren(node, rect, 0, rects);
  }

  // The scroll bar's room is always kept, so that scrolling never reflows the panels.
  TSizeF MeasurePanelGroup(const TLayoutNode& node) const {
    const TSizeF content = MeasureContainer(node, 0);
    const double height =
        node.Pixels > 0 ? std::min(content.H, Scaled(node.Pixels)) : content.H;
    return {std::ceil(content.W + ScrollBarWidth(FMetrics.Dpi())), std::ceil(height)};
  }

  void ArrangePanelGroup(const TLayoutNode& node, TRectF rect, TLayoutRects& rects) const {
    const double content = ContentHeight(node);
    const double scroll = std::clamp<double>(node.Scroll, 0, std::max(0.0, content - rect.H));
    const TRectF area{rect.X, rect.Y - scroll, rect.W - ScrollBarWidth(FMetrics.Dpi()),
                      std::max(content, rect.H)};
    ArrangeChildren(node, area, 0, rects);
  }

  void ArrangeChildren(const TLayoutNode& node, TRectF rect, double firstWidth,
                       TLayoutRects& rects) const {
    const bool row = IsRow(node);
    TRectF content = rect;
    if (node.Kind == TLayoutKind::lkPanel) {
      content = {rect.X + GroupSide(), rect.Y + PanelTop(), rect.W - 2 * GroupSide(),
                 rect.H - PanelTop() - GroupSide()};
    } else if (node.Group) {
      content = {rect.X + GroupSide(), rect.Y + GroupTop(), rect.W - 2 * GroupSide(),
                 rect.H - GroupTop() - GroupSide()};
    }
    const double labelsWidth = LabelsWidth(node);
    const std::vector<TSizeF> sizes = ChildSizes(node, firstWidth);
    double needed = 0;
    int stretchSum = 0;
    int visible = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const TLayoutNode& child = node.Children[i];
      if (!child.Visible) continue;
      ++visible;
      needed += row ? sizes[i].W : sizes[i].H;
      stretchSum += std::max(0, child.Stretch);
    }
    const double gap = Gap(node);
    if (visible > 1) needed += (visible - 1) * gap;
    const double extra = std::max(0.0, (row ? content.W : content.H) - needed);

    double pos = row ? content.X : content.Y;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const TLayoutNode& child = node.Children[i];
      if (!child.Visible) {
        MarkHidden(child, rects);
        continue;
      }
      const TSizeF size = sizes[i];
      const double share = stretchSum > 0 ? extra * std::max(0, child.Stretch) / stretchSum : 0.0;
      const double length = (row ? size.W : size.H) + share;
      const double indent = child.Kind == TLayoutKind::lkSpacer ? 0 : Scaled(child.Indent);
      TRectF slot;
      if (row) {
        slot.X = pos + indent;
        slot.W = length - indent;
        if (child.Fill && GrowsVertically(child)) {
          slot.Y = content.Y;
          slot.H = std::max(content.H, size.H);
        } else {
          slot.H = size.H;
          slot.Y = content.Y + AlignOffset(content.H - size.H, child.Align);
        }
      } else {
        slot.Y = pos;
        slot.H = GrowsVertically(child) ? length : size.H;
        const double room = content.W - indent;
        const double minWidth = size.W - indent;
        slot.X = content.X + indent;
        if (child.Fill) {
          slot.W = std::max(room, minWidth);
        } else {
          slot.W = minWidth;
          slot.X += AlignOffset(room - minWidth, child.Align);
        }
      }
      Arrange(child, slot, IsLabelRow(child) ? labelsWidth : 0, rects);
      pos += length + gap;
    }
  }

  static void MarkHidden(const TLayoutNode& node, TLayoutRects& rects) {
    if (!node.Name.empty()) rects[node.Name] = TRect{};
    for (const auto& child : node.Children) MarkHidden(child, rects);
  }

  static TRect Rounded(const TRectF& r) {
    const int left = static_cast<int>(std::lround(r.X));
    const int top = static_cast<int>(std::lround(r.Y));
    return {left, top, static_cast<int>(std::lround(r.X + r.W)) - left,
            static_cast<int>(std::lround(r.Y + r.H)) - top};
  }

  const TLayoutContext& FContext;
  TLeafMetrics FMetrics;
};

}  // namespace

TSize PreferredSize(const TLayoutNode& root, const TLayoutContext& context) {
  const TEngine engine(context);
  const TSizeF size = engine.Measure(root);
  const double margins = 2 * engine.Margin();
  return {static_cast<int>(std::ceil(size.W + margins - 1e-9)),
          static_cast<int>(std::ceil(size.H + margins - 1e-9))};
}

TLayoutRects Layout(const TLayoutNode& root, TRect client, const TLayoutContext& context) {
  std::set<std::string> names;
  CollectNames(root, names);
  const TEngine engine(context);
  const TSizeF size = engine.Measure(root);
  const double margin = engine.Margin();
  const TRectF rect{client.Left + margin, client.Top + margin,
                    std::max(size.W, client.Width - 2 * margin),
                    std::max(size.H, client.Height - 2 * margin)};
  TLayoutRects rects;
  engine.Arrange(root, rect, 0, rects);
  return rects;
}

bool ShowPageOf(TLayoutNode& node, std::string_view name) {
  if (node.Name == name) return true;
  for (std::size_t i = 0; i < node.Children.size(); ++i) {
    if (!ShowPageOf(node.Children[i], name)) continue;
    if (node.Kind == TLayoutKind::lkPages) node.Page = static_cast<int>(i);
    if (node.Kind == TLayoutKind::lkPanel) node.Collapsed = false;
    return true;
  }
  return false;
}

int PanelGroupContentHeight(const TLayoutNode& group, const TLayoutContext& context) {
  return static_cast<int>(std::ceil(TEngine(context).ContentHeight(group) - 1e-9));
}

bool CollapseAllPanels(TLayoutNode& root) {
  bool found = root.Kind == TLayoutKind::lkPanel;
  if (found) root.Collapsed = true;
  for (auto& child : root.Children) found = CollapseAllPanels(child) || found;
  return found;
}

TStrings WrapText(std::string_view text, int width, const TTextMeasurer& measurer) {
  TStrings lines;
  for (const auto& paragraph : SplitLines(text)) {
    std::string line;
    bool started = false;
    std::size_t start = 0;
    while (start <= paragraph.size()) {
      std::size_t end = paragraph.find(' ', start);
      if (end == std::string::npos) end = paragraph.size();
      const std::string word = paragraph.substr(start, end - start);
      start = end + 1;
      if (word.empty()) continue;
      if (!started) {
        line = word;
        started = true;
      } else if (measurer.TextWidth(line + " " + word) <= width) {
        line += " " + word;
      } else {
        lines.push_back(line);
        line = word;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

namespace {

TLayoutNode Leaf(TLayoutKind kind, std::string name, std::string text = {}) {
  TLayoutNode node;
  node.Kind = kind;
  node.Name = std::move(name);
  node.Text = std::move(text);
  return node;
}

TLayoutNode Container(TLayoutKind kind, std::vector<TLayoutNode> children) {
  TLayoutNode node;
  node.Kind = kind;
  node.Children = std::move(children);
  return node;
}

}  // namespace

TLayoutNode Column(std::vector<TLayoutNode> children) {
  return Container(TLayoutKind::lkColumn, std::move(children));
}

TLayoutNode Row(std::vector<TLayoutNode> children) {
  return Container(TLayoutKind::lkRow, std::move(children));
}

TLayoutNode GroupBox(std::string name, std::string caption, std::vector<TLayoutNode> children) {
  TLayoutNode node = Column(std::move(children));
  node.Name = std::move(name);
  node.Text = std::move(caption);
  node.Group = true;
  return node;
}

TLayoutNode Form(std::vector<TLayoutNode> children) {
  TLayoutNode node = Column(std::move(children));
  node.AlignLabels = true;
  return node;
}

TLayoutNode Label(std::string name, std::string text) {
  return Leaf(TLayoutKind::lkLabel, std::move(name), std::move(text));
}

TLayoutNode Note(std::string name, std::string text, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkNote, std::move(name), std::move(text));
  node.Chars = chars;
  return node;
}

TLayoutNode Edit(std::string name, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkEdit, std::move(name));
  node.Chars = chars;
  return node;
}

TLayoutNode Memo(std::string name, int lines, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkMemo, std::move(name));
  node.Lines = lines;
  node.Chars = chars;
  node.Stretch = 1;
  return node;
}

TLayoutNode Combo(std::string name, TStrings entries, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkCombo, std::move(name));
  node.Entries = std::move(entries);
  node.Chars = chars;
  return node;
}

TLayoutNode DriveCombo(std::string name, bool freeDrives) {
  TLayoutNode node = Leaf(TLayoutKind::lkDriveCombo, std::move(name));
  node.FreeDrives = freeDrives;
  return node;
}

TLayoutNode Check(std::string name, std::string caption) {
  return Leaf(TLayoutKind::lkCheck, std::move(name), std::move(caption));
}

TLayoutNode Radio(std::string name, std::string caption) {
  return Leaf(TLayoutKind::lkRadio, std::move(name), std::move(caption));
}

TLayoutNode Button(std::string name, std::string caption) {
  TLayoutNode node = Leaf(TLayoutKind::lkButton, std::move(name), std::move(caption));
  node.Fill = false;
  return node;
}

TLayoutNode Number(std::string name, int chars, int64_t minimum, int64_t maximum) {
  TLayoutNode node = Leaf(TLayoutKind::lkNumber, std::move(name));
  node.Chars = chars;
  node.Minimum = minimum;
  node.Maximum = std::max(minimum, maximum);
  node.Fill = false;
  return node;
}

TLayoutNode Grid(std::string name, TStrings columns, int rows, int chars) {
  std::vector<TGridColumn> textColumns;
  for (auto& caption : columns) textColumns.push_back(TGridColumn::Text(std::move(caption)));
  return Grid(std::move(name), std::move(textColumns), rows, chars);
}

TLayoutNode Grid(std::string name, std::initializer_list<std::string> columns, int rows,
                 int chars) {
  return Grid(std::move(name), TStrings(columns), rows, chars);
}

TLayoutNode Grid(std::string name, std::vector<TGridColumn> columns, int rows, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkGrid, std::move(name));
  for (const auto& column : columns) node.Entries.push_back(column.Caption);
  node.Columns = std::move(columns);
  node.Lines = rows;
  node.Chars = chars;
  node.Stretch = 1;
  return node;
}

TLayoutNode Spacer(int pixels, int stretch) {
  TLayoutNode node = Leaf(TLayoutKind::lkSpacer, {});
  node.Pixels = pixels;
  node.Stretch = stretch;
  return node;
}

TLayoutNode ThreeStateGrid(std::string name, TStrings columns, std::vector<TThreeStateRow> rows) {
  TLayoutNode node = Leaf(TLayoutKind::lkThreeStateGrid, std::move(name));
  node.Entries = std::move(columns);
  node.StateRows = std::move(rows);
  return node;
}

TLayoutNode DatePicker(std::string name, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkDate, std::move(name));
  node.Chars = chars;
  node.Fill = false;
  return node;
}

TLayoutNode TimePicker(std::string name, int chars) {
  TLayoutNode node = DatePicker(std::move(name), chars);
  node.Kind = TLayoutKind::lkTime;
  return node;
}

TLayoutNode ProgressBar(std::string name, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkProgress, std::move(name));
  node.Chars = chars;
  return node;
}

TLayoutNode Icon(std::string name, int pixels) {
  TLayoutNode node = Leaf(TLayoutKind::lkIcon, std::move(name));
  node.Pixels = pixels;
  node.Fill = false;
  return node;
}

TLayoutNode ListBox(std::string name, int lines, int chars) {
  TLayoutNode node = Leaf(TLayoutKind::lkList, std::move(name));
  node.Lines = lines;
  node.Chars = chars;
  node.Stretch = 1;
  return node;
}

TLayoutNode Pages(std::string name, std::vector<TLayoutNode> pages) {
  TLayoutNode node = Container(TLayoutKind::lkPages, std::move(pages));
  node.Name = std::move(name);
  node.Stretch = 1;
  return node;
}

TLayoutNode Page(std::string caption, std::vector<TLayoutNode> children) {
  TLayoutNode node = Column(std::move(children));
  node.Text = std::move(caption);
  return node;
}

TLayoutNode Panel(std::string name, std::string caption, std::vector<TLayoutNode> children,
                  bool collapsed) {
  TLayoutNode node = Container(TLayoutKind::lkPanel, std::move(children));
  node.Name = std::move(name);
  node.Text = std::move(caption);
  node.Collapsed = collapsed;
  return node;
}

TLayoutNode PanelGroup(std::string name, std::vector<TLayoutNode> panels, int maxHeight) {
  TLayoutNode node = Container(TLayoutKind::lkPanelGroup, std::move(panels));
  node.Name = std::move(name);
  node.Pixels = maxHeight;
  node.Stretch = 1;
  return node;
}

TLayoutNode Stretched(TLayoutNode node, int factor) {
  node.Stretch = factor;
  return node;
}

TLayoutNode Indented(TLayoutNode node, int pixels) {
  node.Indent = pixels;
  return node;
}

TLayoutNode Aligned(TLayoutNode node, TAlign align) {
  node.Align = align;
  node.Fill = false;
  return node;
}

TLayoutNode Hidden(TLayoutNode node) {
  node.Visible = false;
  return node;
}

std::string LabelNameFor(std::string_view fieldName) {
  std::size_t prefix = 0;
  while (prefix < fieldName.size() && fieldName[prefix] >= 'a' && fieldName[prefix] <= 'z') {
    ++prefix;
  }
  if (prefix == fieldName.size()) prefix = 0;
  return "lbl" + std::string(fieldName.substr(prefix));
}

TLayoutNode LabelAbove(std::string caption, TLayoutNode field) {
  TLayoutNode label = Label(LabelNameFor(field.Name), std::move(caption));
  const int stretch = field.Stretch;
  const bool visible = field.Visible;
  field.Visible = true;
  TLayoutNode pair = Column({std::move(label), std::move(field)});
  pair.LabelPair = true;
  pair.Stretch = stretch;
  pair.Visible = visible;
  return pair;
}

TLayoutNode LabelBeside(std::string caption, TLayoutNode field) {
  // Beside a field of several lines the label sits at its top, beside one line centred.
  TLayoutNode label = Aligned(Label(LabelNameFor(field.Name), std::move(caption)),
                              GrowsVertically(field) ? TAlign::alStart : TAlign::alCentre);
  const int stretch = field.Stretch;
  const bool visible = field.Visible;
  field.Visible = true;
  // The field's width along the row now follows whether it filled its column.
  field.Stretch = field.Fill ? 1 : 0;
  field.Fill = true;
  TLayoutNode pair = Row({std::move(label), std::move(field)});
  pair.LabelPair = true;
  pair.Stretch = stretch;
  pair.Visible = visible;
  return pair;
}

TLayoutNode OkCancelRow() {
  return Aligned(Row({Button("btnOK", "OK"), Button("btnCancel", "Cancel")}), TAlign::alEnd);
}

TLayoutNode Dialog(std::vector<TLayoutNode> body) {
  return Column({Stretched(Column(std::move(body))), OkCancelRow()});
}

}  // namespace palvetta
