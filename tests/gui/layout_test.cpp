#include "gui/layout.h"
#include "support/sample_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace palvetta {
namespace {

// Widths in sixteenths of the font's pixel size (points × DPI / 72), so every extent
// scales with font and DPI the way a real font does. The line is 1.5 × the pixel size
// and the average character 8/16 of it.
class TFakeMeasurer : public TTextMeasurer {
 public:
  TFakeMeasurer(int points, int dpi) : FPixels(points * dpi / 72.0) {}

  static int Units(char c) {
    const std::string_view narrow = "ilIjtf.,:;!|'() ";
    if (narrow.find(c) != std::string_view::npos) return 4;
    if (c == 'm' || c == 'w' || c == 'M' || c == 'W') return 13;
    if (c >= 'A' && c <= 'Z') return 10;
    return 8;
  }

  int TextWidth(std::string_view text) const override {
    int units = 0;
    for (char c : text) units += Units(c);
    return static_cast<int>(std::ceil(units * FPixels / 16 - 1e-9));
  }
  int LineHeight() const override { return static_cast<int>(std::lround(FPixels * 1.5)); }
  double AverageCharWidth() const override { return FPixels / 2; }

 private:
  double FPixels;
};

// What a standard Windows control needs beside its text, in 96-dpi pixels: the truth
// the engine's own, roomier constants must cover.
constexpr int kNeedFieldEdges = 6;  // both borders of an edit, memo, combo or number field
constexpr int kNeedArrow = 17;      // drop-down arrow, spin buttons, scroll bar
constexpr int kNeedBox = 13;        // check box or radio circle
constexpr int kNeedBoxGap = 3;
constexpr int kNeedButtonPadding = 6;  // each side of a caption
constexpr int kNeedButtonWidth = 75;
constexpr int kNeedButtonHeight = 23;

double Scale(int pixels96, int dpi) { return pixels96 * dpi / 96.0; }

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right() && b.Left < a.Right() && a.Top < b.Bottom() && b.Top < a.Bottom();
}

std::string Show(const TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + " " +
         std::to_string(r.Width) + "x" + std::to_string(r.Height) + ")";
}

// The room a control's text needs in its rectangle.
void ExpectTextFits(const TLayoutNode& node, const TRect& r, const TLayoutContext& context) {
  const TTextMeasurer& m = context.Measurer;
  const int dpi = context.Dpi;
  const double line = m.LineHeight();
  const double chars = node.Chars * m.AverageCharWidth();
  const double edges = Scale(kNeedFieldEdges, dpi);
  const double arrow = Scale(kNeedArrow, dpi);
  SCOPED_TRACE(node.Name + " " + Show(r));
  switch (node.Kind) {
    case TLayoutKind::lkLabel:
      EXPECT_GE(r.Width, m.TextWidth(node.Text));
      EXPECT_GE(r.Height, line);
      break;
    case TLayoutKind::lkNote: {
      const TStrings lines = WrapText(node.Text, r.Width, m);
      for (const auto& text : lines) EXPECT_LE(m.TextWidth(text), r.Width) << text;
      EXPECT_GE(r.Height, lines.size() * line);
      break;
    }
    case TLayoutKind::lkEdit:
      EXPECT_GE(r.Width, chars + edges);
      EXPECT_GE(r.Height, line + edges);
      break;
    case TLayoutKind::lkMemo:
      EXPECT_GE(r.Width, chars + edges + arrow);
      EXPECT_GE(r.Height, node.Lines * line + edges);
      break;
    case TLayoutKind::lkCombo:
    case TLayoutKind::lkDriveCombo: {
      double text = chars;
      for (const auto& entry : node.Entries) text = std::max<double>(text, m.TextWidth(entry));
      EXPECT_GE(r.Width, text + edges + arrow);
      EXPECT_GE(r.Height, line + edges);
      break;
    }
    case TLayoutKind::lkCheck:
    case TLayoutKind::lkRadio:
      EXPECT_GE(r.Width, Scale(kNeedBox + kNeedBoxGap, dpi) + m.TextWidth(node.Text));
      EXPECT_GE(r.Height, std::max(Scale(kNeedBox, dpi), line));
      break;
    case TLayoutKind::lkButton:
      EXPECT_GE(r.Width, m.TextWidth(node.Text) + 2 * Scale(kNeedButtonPadding, dpi));
      EXPECT_GE(r.Width, Scale(kNeedButtonWidth, dpi));
      EXPECT_GE(r.Height, std::max(Scale(kNeedButtonHeight, dpi), line + edges));
      break;
    case TLayoutKind::lkNumber:
      EXPECT_GE(r.Width, chars + edges + arrow);
      EXPECT_GE(r.Height, line + edges);
      break;
    case TLayoutKind::lkGrid: {
      double headers = 0;
      for (const auto& column : node.Entries) headers += m.TextWidth(column);
      EXPECT_GE(r.Width, std::max(headers, chars) + arrow);
      EXPECT_GE(r.Height, (node.Lines + 1) * line);
      break;
    }
    case TLayoutKind::lkColumn:
    case TLayoutKind::lkRow:
      if (node.Group) {
        EXPECT_GE(r.Width, m.TextWidth(node.Text));
      }
      break;
    case TLayoutKind::lkPages: {
      double tabs = 0;
      for (const auto& page : node.Children) tabs += m.TextWidth(page.Text);
      EXPECT_GE(r.Width, tabs);
      break;
    }
    case TLayoutKind::lkThreeStateGrid: {
      double headers = 0;
      for (const auto& column : node.Entries) headers += m.TextWidth(column);
      EXPECT_GE(r.Width, headers);
      EXPECT_GE(r.Height, static_cast<int>(node.StateRows.size() + 1) * line);
      break;
    }
    case TLayoutKind::lkDate:
    case TLayoutKind::lkTime:
      EXPECT_GE(r.Width, chars + edges + arrow);
      EXPECT_GE(r.Height, line + edges);
      break;
    case TLayoutKind::lkList:
      EXPECT_GE(r.Width, chars + arrow);
      EXPECT_GE(r.Height, node.Lines * line);
      break;
    case TLayoutKind::lkPanel:
      EXPECT_GE(r.Width, m.TextWidth(node.Text));
      EXPECT_GE(r.Height, line);
      break;
    case TLayoutKind::lkProgress:
      EXPECT_GE(r.Width, chars);
      EXPECT_GE(r.Height, line);
      break;
    case TLayoutKind::lkIcon:
      EXPECT_GE(r.Width, Scale(node.Pixels, dpi));
      EXPECT_GE(r.Height, Scale(node.Pixels, dpi));
      break;
    case TLayoutKind::lkSpacer:
    case TLayoutKind::lkPanelGroup:
      break;
  }
}

struct TPlaced {
  const TLayoutNode* Node;
  TRect Rect;
  std::vector<std::size_t> Ancestors;  // indices of named, placed ancestors
};

// Lays the tree out and checks what must hold for any dialog: every named node has a
// rectangle; hidden nodes get none; every visible control is named, lies inside the client
// and overlaps no other; children stay inside their named containers and below a group's
// caption; every text fits its control. The client must be at least the preferred size.
TLayoutRects CheckedLayout(const TLayoutNode& root, TRect client, const TLayoutContext& context) {
  const TLayoutRects rects = Layout(root, client, context);
  std::vector<TPlaced> placed;
  std::size_t named = 0;
  std::vector<std::size_t> chain;
  std::function<void(const TLayoutNode&, bool)> visit = [&](const TLayoutNode& node, bool shown) {
    shown = shown && node.Visible;
    const bool isControl = node.Kind != TLayoutKind::lkColumn && node.Kind != TLayoutKind::lkRow &&
                           node.Kind != TLayoutKind::lkSpacer;
    bool pushed = false;
    if (shown && isControl) {
      EXPECT_FALSE(node.Name.empty()) << "a control without a name: " << node.Text;
    }
    if (!node.Name.empty()) {
      ++named;
      const auto found = rects.find(node.Name);
      if (found == rects.end()) {
        ADD_FAILURE() << node.Name << " has no rectangle";
      } else if (!shown) {
        EXPECT_TRUE(found->second.IsEmpty())
            << node.Name << " is hidden but has " << Show(found->second);
      } else {
        const TRect& r = found->second;
        EXPECT_TRUE(Inside(r, client))
            << node.Name << " " << Show(r) << " leaves the client " << Show(client);
        // Only a label without text may be as narrow as nothing.
        const bool mayBeNarrow = node.Kind == TLayoutKind::lkLabel && node.Text.empty();
        if (node.Kind != TLayoutKind::lkSpacer) {
          EXPECT_GT(r.Height, 0) << node.Name;
          if (!mayBeNarrow) {
            EXPECT_GT(r.Width, 0) << node.Name;
          }
        }
        ExpectTextFits(node, r, context);
        for (std::size_t a : chain) {
          const TPlaced& container = placed[a];
          EXPECT_TRUE(Inside(r, container.Rect)) << node.Name << " leaves " << container.Node->Name;
          if (container.Node->Group) {
            EXPECT_GE(r.Top, container.Rect.Top + context.Measurer.LineHeight())
                << node.Name << " covers the caption of " << container.Node->Name;
          }
        }
        placed.push_back({&node, r, chain});
        // A panel's rectangle is its header: its children lie below it.
        if (node.Kind != TLayoutKind::lkPanel) {
          chain.push_back(placed.size() - 1);
          pushed = true;
        }
      }
    }
    for (std::size_t i = 0; i < node.Children.size(); ++i) {
      // Of pages, only the one shown is placed.
      const bool pageShown = node.Kind != TLayoutKind::lkPages || static_cast<int>(i) == node.Page;
      // Of a collapsed panel, only the header.
      const bool expanded = node.Kind != TLayoutKind::lkPanel || !node.Collapsed;
      visit(node.Children[i], shown && pageShown && expanded);
    }
    if (pushed) chain.pop_back();
  };
  visit(root, true);
  EXPECT_EQ(rects.size(), named) << "rectangles for names the tree does not have";

  auto related = [&](std::size_t i, std::size_t j) {
    for (std::size_t a : placed[j].Ancestors) {
      if (a == i) return true;
    }
    return false;
  };
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      if (related(i, j)) continue;
      EXPECT_FALSE(Overlap(placed[i].Rect, placed[j].Rect))
          << placed[i].Node->Name << " " << Show(placed[i].Rect) << " overlaps "
          << placed[j].Node->Name << " " << Show(placed[j].Rect);
    }
  }
  return rects;
}

// Every edge of every rectangle at the higher DPI is the lower DPI's edge times the
// factor. The fake font's extents are rounded up at 96 dpi (less than 1 px, 1.5 px after
// scaling) and the engine rounds each edge once, so 2 px is the rounding.
void ExpectScaled(const TLayoutRects& base, const TLayoutRects& scaled, double factor) {
  ASSERT_EQ(base.size(), scaled.size());
  constexpr double kRounding = 2;
  for (const auto& [name, r] : base) {
    const TRect& s = scaled.at(name);
    SCOPED_TRACE(name + " " + Show(r) + " vs " + Show(s));
    EXPECT_NEAR(s.Left, r.Left * factor, kRounding);
    EXPECT_NEAR(s.Top, r.Top * factor, kRounding);
    EXPECT_NEAR(s.Right(), r.Right() * factor, kRounding);
    EXPECT_NEAR(s.Bottom(), r.Bottom() * factor, kRounding);
  }
}

TLayoutNode StartDialog(bool waitForEnd) {
  TLayoutNode timeout = Indented(LabelBeside("Time-out in seconds:", Number("sbnTimeout", 5)));
  if (!waitForEnd) timeout = Hidden(timeout);
  return Dialog({
      Form({
          LabelBeside("Title:", Edit("edtTitle", 30)),
          LabelBeside("Program:", Edit("edtProgram", 40)),
          LabelBeside("Parameters:", Edit("edtParameters", 40)),
          LabelBeside("Start in:", Edit("edtStartIn", 40)),
          LabelBeside("Window:", Combo("cmbWindow", {"Normal", "Minimized", "Maximized"})),
          LabelBeside("Priority:", Combo("cmbPriority", {"Low", "Below normal", "Normal",
                                                         "Above normal", "High", "Realtime"})),
          LabelBeside("NUMA node:", Combo("cmbNode", {"Any node", "Node 0", "Node 1"})),
          LabelBeside("Affinity:", Edit("edtAffinity", 16)),
      }),
      Note("lblAffinityHint",
           "The affinity is a hexadecimal mask of processors: 1 is the first processor, "
           "3 the first two, F the first four. Leave it empty to let Windows choose.",
           50),
      GroupBox("grpOptions", "Options",
               {
                   Check("cbxSeparate", "Run 16-bit Windows programs in a separate memory space"),
                   Check("cbxShared", "Run 16-bit Windows programs in the shared memory space"),
                   Check("cbxNewWindow", "Open a new console window instead of using this one"),
                   Check("cbxWait", "Wait for the program to end before going on"),
                   timeout,
               }),
  });
}

struct TSample {
  const char* name;
  TLayoutNode tree;
};

std::vector<TSample> Samples() {
  // An icon beside its texts and a progress bar, as the About box and update dialog have.
  TLayoutNode progress = Dialog({Row({Icon("imgIcon", 32),
                                      Column({Label("lblTitle", "Downloading the update"),
                                              ProgressBar("pbProgress", 30)})})});
  return {{"Parameter", ParameterDialog()},
          {"Progress", progress},
          {"START, waiting", StartDialog(true)},
          {"START, not waiting", StartDialog(false)}};
}

TRect ClientAt(TSize size) { return {0, 0, size.Width, size.Height}; }

TEST(LayoutSampleDialogs, HoldTheInvariantsAtEveryFontAndDpi) {
  for (const auto& sample : Samples()) {
    for (int points : {8, 12}) {
      for (int dpi : {96, 144}) {
        const TFakeMeasurer measurer(points, dpi);
        const TLayoutContext context{measurer, dpi};
        const TSize preferred = PreferredSize(sample.tree, context);
        const TSize larger{preferred.Width + static_cast<int>(Scale(200, dpi)),
                           preferred.Height + static_cast<int>(Scale(120, dpi))};
        for (TSize size : {preferred, larger}) {
          SCOPED_TRACE(std::string(sample.name) + " at " + std::to_string(points) + " pt, " +
                       std::to_string(dpi) + " dpi, " + std::to_string(size.Width) + "x" +
                       std::to_string(size.Height));
          const TLayoutRects rects = CheckedLayout(sample.tree, ClientAt(size), context);
          // The buttons sit in the bottom right corner, OK left of Cancel.
          const double margin = Scale(TLayoutSpacing{}.Margin, dpi);
          const TRect ok = rects.at("btnOK");
          const TRect cancel = rects.at("btnCancel");
          EXPECT_NEAR(cancel.Right(), size.Width - margin, 1);
          EXPECT_NEAR(cancel.Bottom(), size.Height - margin, 1);
          EXPECT_EQ(ok.Top, cancel.Top);
          EXPECT_LT(ok.Right(), cancel.Left);
        }
      }
    }
  }
}

TEST(LayoutSampleDialogs, At144DpiAreThe96DpiLayoutScaled) {
  for (const auto& sample : Samples()) {
    for (int points : {8, 12}) {
      const TFakeMeasurer measurer96(points, 96);
      const TFakeMeasurer measurer144(points, 144);
      const TLayoutContext at96{measurer96, 96};
      const TLayoutContext at144{measurer144, 144};
      const TSize preferred96 = PreferredSize(sample.tree, at96);
      const TSize preferred144 = PreferredSize(sample.tree, at144);
      SCOPED_TRACE(std::string(sample.name) + " at " + std::to_string(points) + " pt");
      EXPECT_NEAR(preferred144.Width, preferred96.Width * 1.5, 2);
      EXPECT_NEAR(preferred144.Height, preferred96.Height * 1.5, 2);
      ExpectScaled(Layout(sample.tree, ClientAt(preferred96), at96),
                   Layout(sample.tree, ClientAt(preferred144), at144), 1.5);
      const TRect larger96{0, 0, preferred96.Width + 200, preferred96.Height + 120};
      const TRect larger144{0, 0, static_cast<int>(std::lround(larger96.Width * 1.5)),
                            static_cast<int>(std::lround(larger96.Height * 1.5))};
      ExpectScaled(Layout(sample.tree, larger96, at96), Layout(sample.tree, larger144, at144), 1.5);
    }
  }
}

TEST(LayoutSampleDialogs, GrowWithTheFont) {
  for (const auto& sample : Samples()) {
    for (int dpi : {96, 144}) {
      const TFakeMeasurer small(8, dpi);
      const TFakeMeasurer large(12, dpi);
      const TSize a = PreferredSize(sample.tree, {small, dpi});
      const TSize b = PreferredSize(sample.tree, {large, dpi});
      SCOPED_TRACE(sample.name);
      EXPECT_GT(b.Width, a.Width);
      EXPECT_GT(b.Height, a.Height);
    }
  }
}

TEST(LayoutParameterDialog, LabelsAboveFieldsAndTheMemoTakesTheExtraHeight) {
  const TFakeMeasurer measurer(8, 96);
  const TLayoutContext context{measurer, 96};
  const TLayoutNode tree = ParameterDialog();
  const TSize preferred = PreferredSize(tree, context);
  const TLayoutRects small = Layout(tree, ClientAt(preferred), context);
  const TLayoutRects large =
      Layout(tree, ClientAt({preferred.Width + 100, preferred.Height + 80}), context);

  for (const char* field : {"edtName", "memDescr", "cmbCheck"}) {
    SCOPED_TRACE(field);
    const TRect label = small.at(LabelNameFor(field));
    const TRect control = small.at(field);
    EXPECT_EQ(label.Left, control.Left);
    EXPECT_EQ(label.Bottom() + TLayoutSpacing{}.LabelGap, control.Top);
    // Fields fill the width, at any size.
    EXPECT_EQ(control.Left, TLayoutSpacing{}.Margin);
    EXPECT_EQ(control.Right(), preferred.Width - TLayoutSpacing{}.Margin);
    EXPECT_EQ(large.at(field).Right(), preferred.Width + 100 - TLayoutSpacing{}.Margin);
  }
  EXPECT_EQ(large.at("memDescr").Height, small.at("memDescr").Height + 80);
  EXPECT_EQ(large.at("edtName").Top, small.at("edtName").Top);
  EXPECT_EQ(large.at("edtName").Width, small.at("edtName").Width + 100);
  EXPECT_EQ(large.at("cmbCheck").Top, small.at("cmbCheck").Top + 80);
  EXPECT_EQ(large.at("edtName").Height, small.at("edtName").Height);
}

TEST(LayoutStartDialog, FormFieldsLineUpAndTheTimeoutSitsUnderItsCheckBox) {
  for (int dpi : {96, 144}) {
    const TFakeMeasurer measurer(10, dpi);
    const TLayoutContext context{measurer, dpi};
    const TLayoutNode tree = StartDialog(true);
    const TLayoutRects rects = Layout(tree, ClientAt(PreferredSize(tree, context)), context);
    SCOPED_TRACE(dpi);
    const int fieldsLeft = rects.at("edtTitle").Left;
    int widestLabel = 0;
    const std::pair<const char*, const char*> fields[] = {
        {"edtTitle", "Title:"},      {"edtProgram", "Program:"},  {"edtParameters", "Parameters:"},
        {"edtStartIn", "Start in:"}, {"cmbWindow", "Window:"},    {"cmbPriority", "Priority:"},
        {"cmbNode", "NUMA node:"},   {"edtAffinity", "Affinity:"}};
    for (const auto& [field, caption] : fields) {
      SCOPED_TRACE(field);
      EXPECT_EQ(rects.at(field).Left, fieldsLeft);
      const TRect label = rects.at(LabelNameFor(field));
      widestLabel = std::max(widestLabel, measurer.TextWidth(caption));
      EXPECT_LE(label.Right(), fieldsLeft);
      // A one-line label is centred on its field.
      const TRect control = rects.at(field);
      EXPECT_NEAR(label.Top + label.Height / 2.0, control.Top + control.Height / 2.0, 1);
    }
    EXPECT_NEAR(fieldsLeft, Scale(11, dpi) + widestLabel + Scale(TLayoutSpacing{}.LabelGap, dpi),
                1);
    EXPECT_NEAR(rects.at("lblTimeout").Left, rects.at("cbxWait").Left + Scale(20, dpi), 1);
    EXPECT_GT(rects.at("sbnTimeout").Top, rects.at("cbxWait").Bottom());
  }
}

TEST(LayoutStartDialog, HidingTheTimeoutGivesBackItsRoom) {
  const TFakeMeasurer measurer(9, 96);
  const TLayoutContext context{measurer, 96};
  const TSize shown = PreferredSize(StartDialog(true), context);
  const TSize hidden = PreferredSize(StartDialog(false), context);
  const TLayoutRects rects = Layout(StartDialog(true), ClientAt(shown), context);
  const int rowHeight = rects.at("sbnTimeout").Height;
  EXPECT_EQ(hidden.Height, shown.Height - rowHeight - TLayoutSpacing{}.Gap);
  const TLayoutRects without = Layout(StartDialog(false), ClientAt(hidden), context);
  EXPECT_TRUE(without.at("sbnTimeout").IsEmpty());
  EXPECT_TRUE(without.at("lblTimeout").IsEmpty());
  EXPECT_EQ(without.at("grpOptions").Bottom(),
            rects.at("grpOptions").Bottom() - rowHeight - TLayoutSpacing{}.Gap);
}

// At 12 pt and 96 dpi the fake font is 16 px: lines of 24 px, average characters of 8 px;
// margins add 22 px each way.
TEST(LayoutPreferredSize, OfEachKindOfControl) {
  struct Case {
    const char* what;
    TLayoutNode tree;
    TSize size;
  };
  const Case cases[] = {
      {"label", Label("lbl", "Name:"), {43 + 22, 24 + 22}},
      {"empty label keeps its line", Label("lbl", ""), {22, 24 + 22}},
      {"edit of 10 chars", Edit("edt", 10), {80 + 8 + 22, 24 + 8 + 22}},
      {"short button keeps the standard size", Button("btn", "OK"), {75 + 22, 32 + 22}},
      {"long button", Button("btn", "Browse folders"), {107 + 20 + 22, 32 + 22}},
      {"combo as wide as its longest entry",
       Combo("cmb", {"ab", "Wide entry"}),
       {73 + 6 + 8 + 17 + 22, 32 + 22}},
      {"combo of given chars", Combo("cmb", {"ab"}, 12), {96 + 6 + 8 + 17 + 22, 32 + 22}},
      {"check box", Check("cbx", "Go"), {13 + 8 + 18 + 22, 24 + 4 + 22}},
      {"radio button", Radio("rbn", "Go"), {13 + 8 + 18 + 22, 24 + 4 + 22}},
      {"memo", Memo("mem", 3, 10), {80 + 8 + 17 + 22, 72 + 8 + 22}},
      {"number", Number("sbn", 4), {32 + 8 + 17 + 22, 32 + 22}},
      {"grid from its headers",
       Grid("vst", {"Name", "Value"}, 2),
       {39 + 38 + 24 + 4 + 17 + 22, 36 + 56 + 4 + 22}},
      {"grid of given chars", Grid("vst", {"A"}, 1, 20), {160 + 4 + 17 + 22, 36 + 28 + 4 + 22}},
      {"note wraps at its width", Note("lbl", "aaaa bbbb cccc", 9), {72 + 22, 48 + 22}},
      {"note widens for a long word", Note("lbl", "aaaaaaaaaaaa b", 9), {96 + 22, 48 + 22}},
      {"spacer", Spacer(10, 0), {10 + 22, 10 + 22}},
      {"row", Row({Edit("a", 10), Edit("b", 10)}), {88 + 7 + 88 + 22, 32 + 22}},
      {"column", Column({Edit("a", 10), Check("b", "Go")}), {88 + 22, 32 + 7 + 28 + 22}},
      {"label pair", LabelAbove("Go", Edit("edt", 10)), {88 + 22, 24 + 3 + 32 + 22}},
      {"indent", Column({Indented(Edit("a", 10), 20)}), {20 + 88 + 22, 32 + 22}},
      {"spacer counts along its parent only",
       Row({Edit("a", 10), Spacer(30, 0)}),
       {88 + 7 + 30 + 22, 32 + 22}},
      {"hidden child", Column({Edit("a", 10), Hidden(Edit("b", 20))}), {88 + 22, 32 + 22}},
      {"group around its children",
       GroupBox("grp", "Opts", {Check("b", "Go")}),
       {39 + 18 + 22, 28 + 33 + 9 + 22}},
      {"group as wide as its caption",
       GroupBox("grp", "Options of it", {Check("b", "Go")}),
       {78 + 18 + 22, 28 + 33 + 9 + 22}},
  };
  const TFakeMeasurer measurer(12, 96);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TSize size = PreferredSize(c.tree, {measurer, 96});
    EXPECT_EQ(size.Width, c.size.Width);
    EXPECT_EQ(size.Height, c.size.Height);
    CheckedLayout(c.tree, ClientAt(size), {measurer, 96});
  }
}

TEST(LayoutPreferredSize, ScalesConstantsWithTheDpi) {
  // The button's minimum is 75×23 at 96 dpi; the font is kept tiny so only it counts.
  struct Case {
    int dpi;
    TSize size;
  };
  const Case cases[] = {{96, {75, 23}}, {120, {94, 29}}, {144, {113, 35}}, {192, {150, 46}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    const TFakeMeasurer tiny(1, c.dpi);
    const TLayoutContext context{tiny, c.dpi, TLayoutSpacing{0, 0, 0, 0}};
    const TSize size = PreferredSize(Button("btnOK", "OK"), context);
    EXPECT_EQ(size.Width, c.size.Width);
    EXPECT_EQ(size.Height, c.size.Height);
  }
}

// Extra room along a container's axis goes to stretchable children by their factors.
TEST(LayoutStretch, SharesExtraRoomByFactor) {
  struct Case {
    std::vector<int> factors;
    int extra;
    std::vector<int> growth;
  };
  const Case cases[] = {
      {{0, 0}, 120, {0, 0}},
      {{1, 0}, 120, {120, 0}},
      {{1, 1}, 120, {60, 60}},
      {{1, 3}, 120, {30, 90}},
      {{0, 2, 1}, 120, {0, 80, 40}},
      {{1, 1, 1}, 100, {33, 34, 33}},  // rounded edges still share every pixel
  };
  const TFakeMeasurer measurer(12, 96);
  const TLayoutContext context{measurer, 96};
  for (bool row : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::Message() << (row ? "row " : "column ") << c.extra << " to "
                                        << c.factors.size() << " children");
      std::vector<TLayoutNode> children;
      for (std::size_t i = 0; i < c.factors.size(); ++i) {
        children.push_back(Stretched(Memo("mem" + std::to_string(i), 2, 5), c.factors[i]));
      }
      const TLayoutNode tree = row ? Row(children) : Column(children);
      const TSize preferred = PreferredSize(tree, context);
      const TLayoutRects base = CheckedLayout(tree, ClientAt(preferred), context);
      const TSize grown = row ? TSize{preferred.Width + c.extra, preferred.Height}
                              : TSize{preferred.Width, preferred.Height + c.extra};
      const TLayoutRects rects = CheckedLayout(tree, ClientAt(grown), context);
      int total = 0;
      for (std::size_t i = 0; i < c.factors.size(); ++i) {
        const std::string name = "mem" + std::to_string(i);
        const int growth = row ? rects.at(name).Width - base.at(name).Width
                               : rects.at(name).Height - base.at(name).Height;
        EXPECT_NEAR(growth, c.growth[i], 1) << name;
        total += growth;
      }
      const int expectedTotal = c.factors == std::vector<int>(c.factors.size(), 0) ? 0 : c.extra;
      EXPECT_EQ(total, expectedTotal);
    }
  }
}

TEST(LayoutStretch, OneLineControlsKeepTheirHeightAndFillOnlyWidens) {
  const TFakeMeasurer measurer(12, 96);
  const TLayoutContext context{measurer, 96};
  const TLayoutNode tree =
      Column({Stretched(Edit("edtA", 10)), Row({Memo("memB", 2, 5), Edit("edtC", 5)})});
  const TLayoutRects rects = CheckedLayout(tree, {0, 0, 400, 400}, context);
  EXPECT_EQ(rects.at("edtA").Height, 32);
  EXPECT_EQ(rects.at("edtA").Width, 400 - 22);
  EXPECT_EQ(rects.at("edtC").Height, 32);
  EXPECT_EQ(rects.at("edtC").Top, rects.at("memB").Top);
}

TEST(LayoutAlignment, OnTheCrossAxisWhenNotFilling) {
  struct Case {
    TAlign align;
    bool fill;
    int left;
    int width;
  };
  // A 75 px button in a column 200 px wide, from 11 px.
  const Case cases[] = {
      {TAlign::alStart, false, 11, 75},
      {TAlign::alCentre, false, 11 + 62, 75},
      {TAlign::alEnd, false, 11 + 125, 75},
      {TAlign::alEnd, true, 11, 200},
  };
  const TFakeMeasurer measurer(12, 96);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.align));
    TLayoutNode button = Aligned(Button("btnOK", "OK"), c.align);
    button.Fill = c.fill;
    const TLayoutRects rects = CheckedLayout(Column({button}), {0, 0, 222, 100}, {measurer, 96});
    EXPECT_NEAR(rects.at("btnOK").Left, c.left, 1);
    EXPECT_EQ(rects.at("btnOK").Width, c.width);
  }
}

TEST(LayoutAlignment, InARowVertically) {
  const TFakeMeasurer measurer(12, 96);
  const TLayoutNode tree = Row({Memo("memA", 4, 5), Aligned(Label("lblS", "S"), TAlign::alStart),
                                Aligned(Label("lblC", "C"), TAlign::alCentre),
                                Aligned(Label("lblE", "E"), TAlign::alEnd)});
  const TLayoutRects rects =
      CheckedLayout(tree, ClientAt(PreferredSize(tree, {measurer, 96})), {measurer, 96});
  const TRect memo = rects.at("memA");
  EXPECT_EQ(rects.at("lblS").Top, memo.Top);
  EXPECT_NEAR(rects.at("lblC").Top + 12, memo.Top + memo.Height / 2.0, 1);
  EXPECT_EQ(rects.at("lblE").Bottom(), memo.Bottom());
}

TEST(LayoutHidden, NodesTakeNoRoomAndTheirChildrenNone) {
  const TFakeMeasurer measurer(12, 96);
  const TLayoutContext context{measurer, 96};
  const TLayoutNode shown = Column({Edit("edtA", 10), Edit("edtC", 10)});
  const TLayoutNode withHidden =
      Column({Edit("edtA", 10), Hidden(Edit("edtB", 30)),
              Hidden(GroupBox("grpX", "Hidden group", {Edit("edtX", 40), Check("cbxX", "x")})),
              Edit("edtC", 10), Hidden(Spacer(50))});
  const TSize size = PreferredSize(shown, context);
  EXPECT_EQ(PreferredSize(withHidden, context).Width, size.Width);
  EXPECT_EQ(PreferredSize(withHidden, context).Height, size.Height);
  const TLayoutRects a = CheckedLayout(shown, ClientAt(size), context);
  const TLayoutRects b = CheckedLayout(withHidden, ClientAt(size), context);
  EXPECT_EQ(b.at("edtC").Top, a.at("edtC").Top);
  for (const char* name : {"edtB", "grpX", "edtX", "cbxX"})
    EXPECT_TRUE(b.at(name).IsEmpty()) << name;
}

TEST(LayoutPages, EveryPageHasTheLargestPagesRoomAndOnlyTheShownOneIsPlaced) {
  const TFakeMeasurer measurer(9, 96);
  const TLayoutContext context{measurer, 96};
  TLayoutNode pages = Pages("pgcOptions", {Page("Small", {Check("cbxA", "A")}),
                                           Page("Large", {Memo("memB", 12, 60), Check("cbxC", "C")})});
  const TLayoutNode largeAlone = Column({Memo("memB", 12, 60), Check("cbxC", "C")});
  const TSize size = PreferredSize(Column({pages}), context);
  const TSize large = PreferredSize(largeAlone, context);
  EXPECT_GE(size.Width, large.Width);
  EXPECT_GT(size.Height, large.Height);  // the tab strip sits above the pages

  for (int shown : {0, 1}) {
    SCOPED_TRACE(shown);
    pages.Page = shown;
    const TLayoutRects rects = CheckedLayout(Column({pages}), ClientAt(size), context);
    const TRect& strip = rects.at("pgcOptions");
    EXPECT_EQ(rects.at("cbxA").IsEmpty(), shown != 0);
    EXPECT_EQ(rects.at("memB").IsEmpty(), shown != 1);
    const TRect& first = shown == 0 ? rects.at("cbxA") : rects.at("memB");
    EXPECT_TRUE(Inside(first, strip));
    EXPECT_GT(first.Top, strip.Top + measurer.LineHeight());  // below the tabs
  }
  // A control on a page not shown is reached by turning to its page.
  TLayoutNode root = Column({pages});
  root.Children[0].Page = 0;
  EXPECT_TRUE(ShowPageOf(root, "cbxC"));
  EXPECT_EQ(root.Children[0].Page, 1);
  EXPECT_TRUE(ShowPageOf(root, "cbxA"));
  EXPECT_EQ(root.Children[0].Page, 0);
  EXPECT_FALSE(ShowPageOf(root, "cbxNone"));
  EXPECT_EQ(root.Children[0].Page, 0);
  // The same preferred size whichever page is shown: switching never resizes.
  pages.Page = 1;
  EXPECT_EQ(PreferredSize(Column({pages}), context).Height, size.Height);
  // Tabs wider than every page widen the node.
  const TLayoutNode wideTabs =
      Pages("pgcTabs", {Page("A very long caption of a tab", {Check("cbxD", "D")}),
                        Page("Another long caption", {})});
  EXPECT_GT(PreferredSize(wideTabs, context).Width,
            measurer.TextWidth("A very long caption of a tab") +
                measurer.TextWidth("Another long caption"));
}

// A panel's header spans the panel; expanded, its children lie below the header, and
// collapsed, only the header takes room and the children are hidden.
TEST(LayoutPanels, CollapsedPanelsShowOnlyTheirHeaders) {
  const TFakeMeasurer measurer(9, 96);
  const TLayoutContext context{measurer, 96};
  const auto tree = [](bool firstCollapsed) {
    return Column({Panel("pnlMain", "Main", {Edit("edtSrc", 30), Check("cbxSub", "Subdirectories")},
                         firstCollapsed),
                   Panel("pnlLog", "Logging Options", {Memo("memLog", 3, 30)})});
  };
  const TSize expanded = PreferredSize(tree(false), context);
  const TSize collapsed = PreferredSize(tree(true), context);
  EXPECT_LT(collapsed.Height, expanded.Height);

  const TLayoutRects open = CheckedLayout(tree(false), ClientAt(expanded), context);
  const TRect& header = open.at("pnlMain");
  EXPECT_LE(header.Height, measurer.LineHeight() + 10);
  EXPECT_GT(open.at("edtSrc").Top, header.Bottom());
  EXPECT_GT(open.at("pnlLog").Top, open.at("cbxSub").Bottom());

  const TLayoutRects shut = CheckedLayout(tree(true), ClientAt(collapsed), context);
  EXPECT_TRUE(shut.at("edtSrc").IsEmpty());
  EXPECT_TRUE(shut.at("cbxSub").IsEmpty());
  EXPECT_EQ(shut.at("pnlMain").Height, header.Height);
  EXPECT_EQ(shut.at("pnlLog").Top, shut.at("pnlMain").Bottom() + 7);  // one gap below the header

  // A control inside a collapsed panel is revealed by expanding it; collapsing all
  // closes every panel, nested or not.
  TLayoutNode root = tree(true);
  EXPECT_TRUE(ShowPageOf(root, "cbxSub"));
  EXPECT_FALSE(root.Children[0].Collapsed);
  EXPECT_TRUE(CollapseAllPanels(root));
  EXPECT_TRUE(root.Children[0].Collapsed && root.Children[1].Collapsed);
  TLayoutNode none = Column({Edit("edtA")});
  EXPECT_FALSE(CollapseAllPanels(none));
}

// A panel group asks for no more than its largest height; its panels keep their own
// heights and scroll past its top, always beside the room of the scroll bar.
TEST(LayoutPanels, AGroupTallerThanItsRoomScrolls) {
  const TFakeMeasurer measurer(9, 96);
  const TLayoutContext context{measurer, 96};
  TLayoutNode group = PanelGroup("pgrOptions",
                                 {Panel("pnlA", "A", {Memo("memA", 10, 30)}),
                                  Panel("pnlB", "B", {Memo("memB", 10, 30)})},
                                 150);
  const TLayoutNode root = Column({group, OkCancelRow()});
  const int content = PanelGroupContentHeight(group, context);
  const TSize size = PreferredSize(root, context);
  EXPECT_GT(content, 150);
  EXPECT_LT(size.Height, content);

  const TLayoutRects top = Layout(root, ClientAt(size), context);
  const TRect& viewport = top.at("pgrOptions");
  EXPECT_EQ(viewport.Height, 150);
  EXPECT_EQ(top.at("pnlA").Top, viewport.Top);
  EXPECT_LE(top.at("memA").Right(), viewport.Right() - 17);  // the scroll bar's room
  EXPECT_GT(top.at("btnOK").Top, viewport.Bottom());

  for (const int scroll : {40, 100000}) {
    SCOPED_TRACE(scroll);
    TLayoutNode scrolled = root;
    scrolled.Children[0].Scroll = scroll;
    const TLayoutRects rects = Layout(scrolled, ClientAt(size), context);
    const int expected = std::min(scroll, content - viewport.Height);  // never past the end
    EXPECT_EQ(rects.at("pnlA").Top, viewport.Top - expected);
    EXPECT_EQ(rects.at("memB").Height, top.at("memB").Height);
    EXPECT_EQ(rects.at("btnOK"), top.at("btnOK"));
  }
  // Collapsed panels fit: nothing to scroll, and the group asks only for their height.
  TLayoutNode shut = group;
  CollapseAllPanels(shut);
  EXPECT_LT(PanelGroupContentHeight(shut, context), 150);
  EXPECT_LT(PreferredSize(Column({shut}), context).Height, size.Height);
  const TLayoutRects rects = CheckedLayout(Column({shut}), ClientAt(size), context);
  EXPECT_TRUE(rects.at("memA").IsEmpty());
}

TEST(LayoutSmallClient, ControlsKeepTheirMinimumSizes) {
  const TFakeMeasurer measurer(8, 96);
  const TLayoutContext context{measurer, 96};
  for (const auto& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    const TSize preferred = PreferredSize(sample.tree, context);
    const TLayoutRects fitting = Layout(sample.tree, ClientAt(preferred), context);
    const TLayoutRects cramped = Layout(sample.tree, {5, 5, preferred.Width / 3, 10}, context);
    for (const auto& [name, r] : fitting) {
      const TRect& c = cramped.at(name);
      if (r.IsEmpty()) continue;  // hidden
      EXPECT_EQ(c.Width, r.Width) << name;
      EXPECT_EQ(c.Height, r.Height) << name;
      EXPECT_EQ(c.Left, r.Left + 5) << name;
      EXPECT_EQ(c.Top, r.Top + 5) << name;
    }
  }
}

TEST(LayoutNames, TwiceIsAFault) {
  const TFakeMeasurer measurer(8, 96);
  EXPECT_THROW(
      Layout(Column({Edit("edtA"), Hidden(Check("edtA", "x"))}), {0, 0, 100, 100}, {measurer, 96}),
      std::logic_error);
}

TEST(LayoutNames, LabelsAreNamedAfterTheirField) {
  struct Case {
    const char* field;
    const char* label;
  };
  const Case cases[] = {{"edtName", "lblName"},       {"cmbParamCheck", "lblParamCheck"},
                        {"sbnTimeout", "lblTimeout"}, {"Name", "lblName"},
                        {"name", "lblname"},          {"", "lbl"}};
  for (const auto& c : cases) EXPECT_EQ(LabelNameFor(c.field), c.label) << c.field;
  const TLayoutNode pair = LabelBeside("Node:", Combo("cmbNode", {"a"}));
  ASSERT_EQ(pair.Children.size(), 2u);
  EXPECT_EQ(pair.Children[0].Name, "lblNode");
  EXPECT_EQ(pair.Children[0].Text, "Node:");
}

TEST(LayoutWrapText, BreaksAtSpacesAndLineBreaks) {
  struct Case {
    const char* text;
    int width;
    TStrings lines;
  };
  // At 12 pt and 96 dpi a lower-case letter and a space are 8 and 4 px wide.
  const Case cases[] = {
      {"", 100, {}},
      {"aaa bbb", 100, {"aaa bbb"}},
      {"aaa bbb", 52, {"aaa bbb"}},  // exactly as wide as the line
      {"aaa bbb", 51, {"aaa", "bbb"}},
      {"aaaaaaaaaa b", 40, {"aaaaaaaaaa", "b"}},  // a long word gets its own line
      {"a  b   c", 100, {"a b c"}},
      {"aa\nbb\r\n\r\ncc", 100, {"aa", "bb", "", "cc"}},
      {"a b c", 0, {"a", "b", "c"}},
  };
  const TFakeMeasurer measurer(12, 96);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapText(c.text, c.width, measurer), c.lines);
  }
}

}  // namespace
}  // namespace palvetta
