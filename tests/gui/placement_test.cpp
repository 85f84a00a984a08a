#include "gui/placement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace palvetta {
namespace {

TRect Box(int left, int top, int width, int height) { return {left, top, width, height}; }

// Rectangles are compared as text, which also makes failures readable.
std::string Show(const TRect& r) {
  return "{" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " +
         std::to_string(r.Width) + " x " + std::to_string(r.Height) + "}";
}

// The primary monitor with a task bar at the bottom; one left of it (negative
// coordinates) and one right of it, higher, at 144 dpi.
const TMonitorInfo kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
const TMonitorInfo kLeft{{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 984}, 96, false};
const TMonitorInfo kRight{{1920, -200, 2560, 1440}, {1920, -200, 2560, 1400}, 144, false};
// The primary is not listed first, so nothing may take the first monitor for it.
const TMonitors kThree{kLeft, kPrimary, kRight};
const TMonitors kPrimaryOnly{kPrimary};

// A sizeable form of 640 × 480 on the primary monitor at font size 9 (12 pixels)
// with a 12-pixel design font, so it is drawn at the monitor's 96 PPI.
TFormFacts Facts() {
  TFormFacts form;
  form.Bounds = Box(0, 0, 640, 480);
  form.Ppi = 96;
  form.MonitorPpi = 96;
  form.DesignFontHeight = 12;
  form.FontSizePixels = 12;
  return form;
}

// ---- ToDesign / FromDesign ----

TEST(DesignUnits, RoundToNearestHalvesAwayFromZero) {
  struct Case {
    int value;
    int ppi;
    int toDesign;
    int fromDesign;
  };
  const Case cases[] = {
      {96, 96, 96, 96},    {120, 120, 96, 150}, {144, 144, 96, 216},
      {192, 192, 96, 384}, {0, 144, 0, 0},      {1, 120, 1, 1},  // 0.8 → 1, 1.25 → 1
      {2, 120, 2, 3},                                            // 1.6 → 2, 2.5 → 3
      {-2, 120, -2, -3},                                         // halves away from zero
      {5, 120, 4, 6},                                            // 4.0, 6.25
      {3, 192, 2, 6},                                            // 1.5 → 2
      {-3, 192, -2, -6},   {1, 144, 1, 2},                       // 0.67 → 1, 1.5 → 2
      {7, 144, 5, 11},                                           // 4.67 → 5, 10.5 → 11
      {-7, 144, -5, -11},  {100, 0, 100, 100},  // a PPI not known yet converts nothing
      {100, -5, 100, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " at " << c.ppi);
    EXPECT_EQ(ToDesign(c.value, c.ppi), c.toDesign);
    EXPECT_EQ(FromDesign(c.value, c.ppi), c.fromDesign);
  }
}

TEST(DesignUnits, RoundTrips) {
  for (const int ppi : {96, 120, 144, 192}) {
    SCOPED_TRACE(ppi);
    for (int n = -600; n <= 600; ++n) {
      ASSERT_EQ(ToDesign(FromDesign(n, ppi), ppi), n) << n << " units";
      const int back = FromDesign(ToDesign(n, ppi), ppi);
      if (ppi == 96) {
        ASSERT_EQ(back, n);
      } else {
        ASSERT_LE(std::abs(back - n), 1) << n << " pixels";
      }
    }
    // Multiples of a whole unit's pixels survive exactly.
    const int step = ppi / 24;  // 96 / 24 = 4 units
    EXPECT_EQ(FromDesign(ToDesign(25 * step, ppi), ppi), 25 * step);
  }
}

TEST(DesignUnits, DesignFontHeight) {
  struct Case {
    int fontHeight;
    int ppi;
    int expected;
  };
  const Case cases[] = {
      {-16, 96, 16}, {16, 96, 16}, {-20, 120, 16}, {-24, 144, 16}, {-1, 192, 1},  // 0.5 → 1
      {0, 96, 1},  // at least 1: the height divides the PPI later
      {-1, 288, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fontHeight << " at " << c.ppi);
    EXPECT_EQ(DesignFontHeight(c.fontHeight, c.ppi), c.expected);
  }
}

// ---- Effective PPI ----

TEST(EffectivePpi, FontSizeAndWorkAreaLimit) {
  const TRect fullHd{0, 0, 1920, 1040};
  struct Case {
    const char* name;
    int monitorPpi;
    int designFontHeight;
    int fontSizePixels;
    TBorderKind border;
    int formPpi;
    TSize formSize;
    TRect workArea;
    int expected;
  };
  const TBorderKind fixed = TBorderKind::bkFixed;
  const TBorderKind sizeable = TBorderKind::bkSizeable;
  const Case cases[] = {
      {"font size 9 on 96 dpi", 96, 12, 12, sizeable, 96, {400, 300}, fullHd, 96},
      {"font size 12 on 96 dpi", 96, 12, 16, sizeable, 96, {400, 300}, fullHd, 128},
      {"font size 12 on 144 dpi", 144, 12, 16, sizeable, 144, {400, 300}, fullHd, 192},
      {"font size 8 shrinks", 96, 12, 11, sizeable, 96, {400, 300}, fullHd, 88},
      {"font size 8 shrinks a dialog too", 96, 12, 11, fixed, 96, {400, 300}, fullHd, 88},
      {"rounded half away from zero", 120, 16, 13, sizeable, 120, {400, 300}, fullHd, 98},
      {"design font unknown", 144, 0, 16, fixed, 96, {400, 300}, fullHd, 144},
      {"monitor unknown keeps the form's", 0, 12, 16, fixed, 120, {400, 300}, fullHd, 120},
      {"dialog that fits", 96, 12, 16, fixed, 96, {400, 300}, fullHd, 128},
      // 96 × 1040 / 900 = 110.9: rounded down, else it would not fit.
      {"dialog limited by height", 96, 12, 16, fixed, 96, {400, 900}, {0, 0, 1000, 1040}, 110},
      // 96 × 1000 / 900 = 106.7
      {"dialog limited by width", 96, 12, 16, fixed, 96, {900, 300}, {0, 0, 1000, 1040}, 106},
      {"limit counts from the form's PPI", 96, 12, 16, fixed, 128, {400, 1200}, fullHd, 110},
      {"never below the monitor's", 96, 12, 16, fixed, 96, {400, 1200}, fullHd, 96},
      {"sizeable forms are not limited", 96, 12, 16, sizeable, 96, {400, 1200}, fullHd, 128},
      {"borderless forms are not limited",
       96,
       12,
       16,
       TBorderKind::bkNone,
       96,
       {400, 1200},
       fullHd,
       128},
      {"no size yet", 96, 12, 16, fixed, 96, {0, 0}, fullHd, 128},
      {"empty work area", 96, 12, 16, fixed, 96, {400, 1200}, {}, 128},
      {"work area offset", 96, 12, 16, fixed, 96, {400, 900}, {-1000, 20, 1000, 1040}, 110},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.MonitorPpi = c.monitorPpi;
    form.DesignFontHeight = c.designFontHeight;
    form.FontSizePixels = c.fontSizePixels;
    form.Border = c.border;
    form.Ppi = c.formPpi;
    form.Bounds = RectAt(50, 50, c.formSize);
    EXPECT_EQ(EffectivePPI(form, c.workArea), c.expected);
    if (c.border != fixed && c.monitorPpi > 0) {
      EXPECT_EQ(FormPpiForMonitor(c.monitorPpi, c.fontSizePixels, c.designFontHeight), c.expected);
    }
  }
}

// ---- Anchors ----

TEST(AnchorGaps, RecordedOnlyForAnchoredRightOrBottom) {
  struct Case {
    const char* name;
    TAnchors anchors;
    bool aligned;
    std::optional<int> right;
    std::optional<int> bottom;
  };
  // A 80 × 30 control at (300, 250) in a 400 × 300 client: 20 to both edges.
  const Case cases[] = {
      {"left and top", {true, true, false, false}, false, {}, {}},
      {"right", {false, true, true, false}, false, 20, 20},
      {"bottom", {true, false, false, true}, false, 20, 20},
      {"all four", {true, true, true, true}, false, 20, 20},
      {"aligned", {true, true, true, true}, true, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TAnchorGaps gaps =
        RecordAnchorGaps({Box(300, 250, 80, 30), {400, 300}, c.anchors, c.aligned});
    EXPECT_EQ(gaps.Right, c.right);
    EXPECT_EQ(gaps.Bottom, c.bottom);
  }
  // A control sticking out of its parent has a negative gap.
  const TAnchorGaps out =
      RecordAnchorGaps({Box(350, 290, 80, 30), {400, 300}, {false, false, true, true}});
  EXPECT_EQ(out.Right, -30);
  EXPECT_EQ(out.Bottom, -20);
}

TEST(AnchorCorrection, AfterRescale) {
  struct Case {
    const char* name;
    TAnchors anchors;
    TRect before;  // in a 400 × 300 client at 96 dpi
    int toPpi;
    TRect scaled;  // as the framework left it, in the client scaled to toPpi
    TRect expected;
  };
  const TAnchors right{false, true, true, false};
  const TAnchors leftRight{true, true, true, false};
  const TAnchors bottom{true, false, false, true};
  const TAnchors topBottom{true, true, false, true};
  const TAnchors rightBottom{false, false, true, true};
  // At 144 dpi the client is 600 × 450 and a gap of 20 becomes 30: expected right
  // edge 570, expected bottom edge 420.
  const Case cases[] = {
      {"right anchored only moves", right, Box(300, 50, 80, 30), 144, Box(440, 75, 120, 45),
       Box(450, 75, 120, 45)},
      {"left and right anchored grows", leftRight, Box(20, 50, 360, 30), 144, Box(30, 75, 530, 45),
       Box(30, 75, 540, 45)},
      {"left and right anchored shrinks", leftRight, Box(20, 50, 360, 30), 144,
       Box(30, 75, 550, 45), Box(30, 75, 540, 45)},
      {"one pixel short: no change", right, Box(300, 50, 80, 30), 144, Box(449, 75, 120, 45),
       Box(449, 75, 120, 45)},
      {"one pixel over: no change", leftRight, Box(20, 50, 360, 30), 144, Box(30, 75, 541, 45),
       Box(30, 75, 541, 45)},
      {"two pixels off: corrected", right, Box(300, 50, 80, 30), 144, Box(452, 75, 120, 45),
       Box(450, 75, 120, 45)},
      {"bottom anchored only moves", bottom, Box(20, 250, 80, 30), 144, Box(30, 370, 120, 45),
       Box(30, 375, 120, 45)},
      {"top and bottom anchored grows", topBottom, Box(20, 20, 80, 260), 144, Box(30, 30, 120, 380),
       Box(30, 30, 120, 390)},
      {"both axes", rightBottom, Box(300, 250, 80, 30), 144, Box(445, 370, 120, 45),
       Box(450, 375, 120, 45)},
      {"width never below 0", leftRight, Box(300, 50, 80, 30), 144, Box(580, 75, 120, 45),
       Box(580, 75, 0, 45)},
      {"unanchored side left alone", right, Box(300, 250, 80, 30), 144, Box(450, 360, 120, 45),
       Box(450, 360, 120, 45)},
      // 400 × 300 at 96 → 300 × 225 at 72: gap 20 → 15, expected right edge 285.
      {"scaling down", right, Box(300, 50, 80, 30), 72, Box(220, 37, 60, 23), Box(225, 37, 60, 23)},
      // Gap 1 at 96 → 144 is 1.5, rounded to 2: expected right edge 598.
      {"gap rounded half away from zero", right, Box(319, 50, 80, 30), 144, Box(475, 75, 120, 45),
       Box(478, 75, 120, 45)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TAnchorGaps gaps = RecordAnchorGaps({c.before, {400, 300}, c.anchors});
    const TSize client{400 * c.toPpi / 96, 300 * c.toPpi / 96};
    EXPECT_EQ(Show(CorrectAnchoredBounds({c.scaled, client, c.anchors}, gaps, 96, c.toPpi)),
              Show(c.expected));
  }
}

TEST(AnchorCorrection, NothingRecordedNothingChanged) {
  const TControlLayout aligned{Box(0, 0, 400, 30), {400, 300}, {true, true, true, false}, true};
  const TAnchorGaps gaps = RecordAnchorGaps(aligned);
  TControlLayout scaled = aligned;
  scaled.Bounds = Box(0, 0, 590, 45);
  scaled.ParentClient = {600, 450};
  EXPECT_EQ(Show(CorrectAnchoredBounds(scaled, gaps, 96, 144)), Show(scaled.Bounds));
  // An unknown starting PPI gives no scale to apply the gaps with.
  const TControlLayout right{Box(300, 50, 80, 30), {400, 300}, {false, true, true, false}};
  EXPECT_EQ(Show(CorrectAnchoredBounds(right, {100, {}}, 0, 144)), Show(right.Bounds));
}

// ---- Monitors and work areas ----

TEST(MonitorPlacement, PrimaryAndNearest) {
  EXPECT_EQ(PrimaryMonitor(kThree), &kThree[1]);
  const TMonitors unmarked{kLeft, kRight};
  EXPECT_EQ(PrimaryMonitor(unmarked), &unmarked[0]);
  EXPECT_EQ(PrimaryMonitor({}), nullptr);
  EXPECT_EQ(NearestMonitor({}, Box(0, 0, 10, 10)), nullptr);

  struct Case {
    const char* name;
    TRect rect;
    int expected;  // index into kThree
  };
  const Case cases[] = {
      {"inside the left one", Box(-1000, 100, 400, 300), 0},
      {"mostly on the primary", Box(-100, 100, 400, 300), 1},
      {"mostly on the left", Box(-300, 100, 400, 300), 0},
      {"equal overlap: earlier one", Box(-200, 100, 400, 300), 0},
      {"far right of everything", Box(9000, 0, 100, 100), 2},
      {"below the left one, in the gap", Box(-900, 1100, 100, 100), 0},
      {"a point inside the primary", Box(500, 500, 0, 0), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NearestMonitor(kThree, c.rect), &kThree[c.expected]);
  }
}

TEST(MonitorPlacement, LiesOnAnyMonitor) {
  struct Case {
    const char* name;
    TMonitors monitors;
    TRect rect;
    bool expected;
  };
  const Case cases[] = {
      {"inside", kThree, Box(100, 100, 800, 600), true},
      {"one pixel over the primary's left edge", kPrimaryOnly, Box(-799, 100, 800, 600), true},
      {"touching the primary's left edge", kPrimaryOnly, Box(-800, 100, 800, 600), false},
      {"touching the primary's bottom edge", kPrimaryOnly, Box(100, 1080, 800, 600), false},
      {"on a monitor that was unplugged", kPrimaryOnly, Box(-1000, 100, 800, 600), false},
      {"on the left monitor", kThree, Box(-1000, 100, 800, 600), true},
      {"in the gap below the left monitor", kThree, Box(-1000, 1024, 800, 600), false},
      {"on the work area's task bar only", kPrimaryOnly, Box(100, 1050, 800, 20), true},
      {"empty rectangle", kThree, Box(100, 100, 0, 600), false},
      {"no monitors", {}, Box(100, 100, 800, 600), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LiesOnAnyMonitor(c.monitors, c.rect), c.expected);
  }
}

TEST(WorkAreaPlacement, ChooseWorkArea) {
  const TRect onLeft = Box(-1000, 100, 400, 300);
  const TRect onRight = Box(2500, 100, 400, 300);
  EXPECT_EQ(Show(ChooseWorkArea(kThree, onLeft, onRight)),
            Show(kLeft.WorkArea));  // the form's own first
  EXPECT_EQ(Show(ChooseWorkArea(kThree, std::nullopt, onRight)), Show(kRight.WorkArea));
  EXPECT_EQ(Show(ChooseWorkArea(kThree, std::nullopt, std::nullopt)), Show(kPrimary.WorkArea));
  EXPECT_EQ(Show(ChooseWorkArea({}, onLeft, onRight)), Show(TRect{}));
}

TEST(WorkAreaPlacement, FitIntoWorkArea) {
  const TRect workArea{0, 0, 1920, 1040};
  struct Case {
    const char* name;
    TBorderKind border;
    TWindowState state;
    TRect bounds;
    TRect expected;
  };
  const TBorderKind sizeable = TBorderKind::bkSizeable;
  const TWindowState normal = TWindowState::wsNormal;
  const Case cases[] = {
      {"fits already", sizeable, normal, Box(100, 100, 800, 600), Box(100, 100, 800, 600)},
      {"too tall and too wide", sizeable, normal, Box(100, 50, 2000, 1200),
       Box(100, 50, 1920, 1040)},  // the position stays
      {"too tall only", sizeable, normal, Box(100, 50, 800, 1200), Box(100, 50, 800, 1040)},
      {"too wide only", sizeable, normal, Box(-10, 50, 1921, 600), Box(-10, 50, 1920, 600)},
      {"fixed size", TBorderKind::bkFixed, normal, Box(0, 0, 2000, 1200), Box(0, 0, 2000, 1200)},
      {"borderless", TBorderKind::bkNone, normal, Box(0, 0, 2000, 1200), Box(0, 0, 2000, 1200)},
      {"maximized", sizeable, TWindowState::wsMaximized, Box(-8, -8, 2000, 1200),
       Box(-8, -8, 2000, 1200)},
      {"minimized", sizeable, TWindowState::wsMinimized, Box(0, 0, 2000, 1200),
       Box(0, 0, 2000, 1200)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.Border = c.border;
    form.State = c.state;
    form.Bounds = c.bounds;
    EXPECT_EQ(Show(FitIntoWorkArea(form, workArea)), Show(c.expected));
  }
  TFormFacts form = Facts();
  form.Bounds = Box(0, 0, 2000, 1200);
  EXPECT_EQ(Show(FitIntoWorkArea(form, {})), Show(form.Bounds));
}

TEST(WorkAreaPlacement, CenterOnPrimary) {
  struct Case {
    const char* name;
    TMonitors monitors;
    TBorderKind border;
    TSize size;
    TRect expected;
  };
  const TBorderKind sizeable = TBorderKind::bkSizeable;
  const TMonitorInfo taskBarLeft{{0, 0, 1920, 1080}, {60, 0, 1860, 1080}, 96, true};
  const Case cases[] = {
      {"centred", kThree, sizeable, {640, 480}, Box(640, 280, 640, 480)},
      {"odd pixel right and below", kThree, sizeable, {641, 481}, Box(639, 279, 641, 481)},
      {"work area starts right of the task bar",
       {taskBarLeft},
       sizeable,
       {800, 600},
       Box(590, 240, 800, 600)},
      {"too large and sizeable: fitted", kThree, sizeable, {2000, 1200}, Box(0, 0, 1920, 1040)},
      {"too large and fixed: top left",
       kThree,
       TBorderKind::bkFixed,
       {2000, 1200},
       Box(0, 0, 2000, 1200)},
      {"no monitors", {}, sizeable, {640, 480}, Box(0, 0, 640, 480)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.Border = c.border;
    form.Bounds = RectAt(-3000, 5000, c.size);
    EXPECT_EQ(Show(CenterOnPrimary(form, c.monitors)), Show(c.expected));
  }
}

// ---- Saving ----

TEST(SavePlacement, Values) {
  const TRect workArea = kPrimary.WorkArea;
  struct Case {
    const char* name;
    TWindowState state;
    bool restoreToMaximized;
    TRect normalBounds;
    TRect bounds;
    int ppi;
    TRect area;
    TPlacementValues expected;
  };
  const TWindowState normal = TWindowState::wsNormal;
  const TWindowState maximized = TWindowState::wsMaximized;
  const TWindowState minimized = TWindowState::wsMinimized;
  const TRect nowhere{};
  const Case cases[] = {
      {"normal",
       normal,
       false,
       Box(100, 50, 800, 600),
       Box(100, 50, 800, 600),
       96,
       workArea,
       {100, 50, 800, 600, false}},
      {"size in 96-dpi units",
       normal,
       false,
       Box(100, 50, 1200, 900),
       Box(100, 50, 1200, 900),
       144,
       workArea,
       {100, 50, 800, 600, false}},
      {"size rounded",
       normal,
       false,
       Box(100, 50, 101, 102),
       Box(100, 50, 101, 102),
       120,
       workArea,
       {100, 50, 81, 82, false}},  // 80.8, 81.6
      {"no normal bounds yet",
       normal,
       false,
       nowhere,
       Box(-900, 10, 640, 480),
       96,
       workArea,
       {-900, 10, 640, 480, false}},
      {"maximized keeps its normal rectangle",
       maximized,
       false,
       Box(100, 50, 800, 600),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {100, 50, 800, 600, true}},
      {"minimized",
       minimized,
       false,
       Box(100, 50, 800, 600),
       Box(-32000, -32000, 160, 28),
       96,
       workArea,
       {100, 50, 800, 600, false}},
      {"minimized from maximized",
       minimized,
       true,
       Box(100, 50, 800, 600),
       Box(-32000, -32000, 160, 28),
       96,
       workArea,
       {100, 50, 800, 600, true}},
      // Maximized on the right monitor after being moved there maximized: the normal
      // rectangle is still on the primary, so it is centred in the right one's work area.
      {"maximized elsewhere: centred",
       maximized,
       false,
       Box(100, 100, 800, 600),
       Box(1912, -208, 2576, 1416),
       144,
       kRight.WorkArea,
       {2800, 200, 533, 400, true}},
      {"maximized elsewhere and larger: reduced",
       maximized,
       false,
       Box(-1280, 0, 3000, 1600),
       Box(1912, -208, 2576, 1416),
       96,
       kRight.WorkArea,
       {1920, -200, 2560, 1400, true}},
      {"not maximized elsewhere: kept",
       normal,
       false,
       Box(100, 100, 800, 600),
       Box(100, 100, 800, 600),
       96,
       kRight.WorkArea,
       {100, 100, 800, 600, false}},
      // The centre is inside when left ≤ x < right and top ≤ y < bottom.
      {"centre on the right edge is outside",
       maximized,
       false,
       Box(1820, 100, 200, 200),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {860, 420, 200, 200, true}},
      {"centre half a pixel left of it is inside",
       maximized,
       false,
       Box(1819, 100, 201, 200),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {1819, 100, 201, 200, true}},
      {"centre on the left edge is inside",
       maximized,
       false,
       Box(-100, 100, 200, 200),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {-100, 100, 200, 200, true}},
      {"centre on the bottom edge is outside",
       maximized,
       false,
       Box(100, 940, 200, 200),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {860, 420, 200, 200, true}},
      {"centre above the top is outside",
       maximized,
       false,
       Box(100, -300, 200, 200),
       Box(-8, -8, 1936, 1056),
       96,
       workArea,
       {860, 420, 200, 200, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.State = c.state;
    form.RestoreToMaximized = c.restoreToMaximized;
    form.NormalBounds = c.normalBounds;
    form.Bounds = c.bounds;
    form.Ppi = c.ppi;
    EXPECT_EQ(SavePlacement(form, c.area), c.expected);
  }
}

// ---- Restoring ----

TEST(RestorePlacement, CentredWithoutUsableValues) {
  struct Case {
    const char* name;
    std::optional<TPlacementValues> saved;
    TMonitors monitors;
  };
  const Case cases[] = {
      {"reading failed", std::nullopt, kThree},
      {"nothing saved", TPlacementValues{}, kThree},
      {"no width", TPlacementValues{100, 100, 0, 600, false}, kThree},
      {"no height", TPlacementValues{100, 100, 800, 0, false}, kThree},
      {"negative size", TPlacementValues{100, 100, -800, 600, false}, kThree},
      {"maximized without a size", TPlacementValues{100, 100, 0, 0, true}, kThree},
      {"on a monitor that no longer exists", TPlacementValues{-1000, 100, 800, 600, true},
       kPrimaryOnly},
      {"beyond every monitor", TPlacementValues{5000, 100, 800, 600, false}, kThree},
      {"touching the primary only at its edge", TPlacementValues{-800, 100, 800, 600, false},
       kPrimaryOnly},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TRestoreResult result = RestorePlacement(c.saved, c.monitors, Facts());
    EXPECT_TRUE(result.CenterOnPrimary);
    EXPECT_EQ(Show(result.Bounds), Show(Box(640, 280, 640, 480)));
    EXPECT_FALSE(result.Maximize);
    EXPECT_FALSE(result.DpiChange);
  }
}

TEST(RestorePlacement, SavedSizeIsConvertedBeforeLookingForAMonitor) {
  // At font size 12 the form is at 128 PPI, where 3 units are 4 pixels: each saved
  // rectangle reaches 20 pixels onto the primary, but would end before it unconverted.
  struct Case {
    const char* name;
    TPlacementValues saved;
    TRect bounds;
  };
  const Case cases[] = {
      {"left of the primary", {-300, 100, 240, 150, false}, Box(0, 100, 320, 200)},
      {"above the primary", {100, -300, 150, 240, false}, Box(100, 0, 200, 320)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.FontSizePixels = 16;
    form.Ppi = 128;
    const TRestoreResult result = RestorePlacement(c.saved, kPrimaryOnly, form);
    EXPECT_FALSE(result.CenterOnPrimary);
    EXPECT_EQ(Show(result.Bounds), Show(c.bounds));
  }
}

TEST(RestorePlacement, SavedRectangleOnTheSameDpi) {
  struct Case {
    const char* name;
    TPlacementValues saved;
    TSize formSize;  // the form's current size, kept by the first move
    TRect moved;
    TRect bounds;
  };
  // All on the primary work area (0, 0)-(1920, 1040) unless noted; the form is 640 × 480.
  const TSize form{640, 480};
  const Case cases[] = {
      {"inside", {100, 50, 800, 600, false}, form, Box(100, 50, 640, 480), Box(100, 50, 800, 600)},
      {"past the right edge",
       {1500, 100, 800, 600, false},
       form,
       Box(1280, 100, 640, 480),
       Box(1120, 100, 800, 600)},
      {"past the bottom edge",
       {100, 700, 800, 600, false},
       form,
       Box(100, 560, 640, 480),
       Box(100, 440, 800, 600)},
      {"before the left edge",
       {-300, 100, 800, 600, false},
       form,
       Box(0, 100, 640, 480),
       Box(0, 100, 800, 600)},
      {"above the top edge",
       {100, -100, 800, 600, false},
       form,
       Box(100, 0, 640, 480),
       Box(100, 0, 800, 600)},
      {"past the bottom right corner",
       {1800, 1000, 800, 600, false},
       form,
       Box(1280, 560, 640, 480),
       Box(1120, 440, 800, 600)},
      {"before the top left corner",
       {-700, -500, 800, 600, false},
       form,
       Box(0, 0, 640, 480),
       Box(0, 0, 800, 600)},
      {"on the task bar",
       {100, 1000, 800, 600, false},
       form,
       Box(100, 560, 640, 480),
       Box(100, 440, 800, 600)},
      {"right on the edges",
       {1120, 440, 800, 600, false},
       form,
       Box(1120, 440, 640, 480),
       Box(1120, 440, 800, 600)},
      {"saved larger than the work area",
       {200, 100, 2400, 1500, false},
       form,
       Box(200, 100, 640, 480),
       Box(0, 0, 1920, 1040)},
      {"form larger than the work area",
       {200, 100, 800, 600, false},
       {2000, 1100},
       Box(0, 0, 2000, 1100),
       Box(200, 100, 800, 600)},
      {"maximized: normal rectangle first",
       {100, 50, 800, 600, true},
       form,
       Box(100, 50, 640, 480),
       Box(100, 50, 800, 600)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts facts = Facts();
    facts.Bounds = RectAt(640, 280, c.formSize);
    const TRestoreResult result = RestorePlacement(c.saved, kPrimaryOnly, facts);
    EXPECT_FALSE(result.CenterOnPrimary);
    EXPECT_EQ(Show(result.Moved), Show(c.moved));
    EXPECT_FALSE(result.DpiChange);
    EXPECT_EQ(Show(result.Bounds), Show(c.bounds));
    EXPECT_EQ(result.Maximize, c.saved.Maximized);
  }
}

TEST(RestorePlacement, MonitorLeftOfThePrimary) {
  // Its work area is (-1280, 0)-(0, 984); the saved rectangle picks the monitor it
  // overlaps most, and that monitor's work area bounds it.
  struct Case {
    const char* name;
    TPlacementValues saved;
    TRect moved;
    TRect bounds;
  };
  const Case cases[] = {
      {"inside",
       {-1000, 100, 800, 600, false},
       Box(-1000, 100, 640, 480),
       Box(-1000, 100, 800, 600)},
      {"past its left edge",
       {-1400, 100, 800, 600, false},
       Box(-1280, 100, 640, 480),
       Box(-1280, 100, 800, 600)},
      {"over the primary's edge, mostly on the left",
       {-500, 100, 800, 600, false},
       Box(-640, 100, 640, 480),
       Box(-800, 100, 800, 600)},
      {"past its bottom",
       {-1000, 700, 800, 600, false},
       Box(-1000, 504, 640, 480),
       Box(-1000, 384, 800, 600)},
      {"mostly on the primary",
       {-200, 100, 800, 600, false},
       Box(0, 100, 640, 480),
       Box(0, 100, 800, 600)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TRestoreResult result = RestorePlacement(c.saved, kThree, Facts());
    EXPECT_FALSE(result.CenterOnPrimary);
    EXPECT_EQ(Show(result.Moved), Show(c.moved));
    EXPECT_FALSE(result.DpiChange);
    EXPECT_EQ(Show(result.Bounds), Show(c.bounds));
  }
}

TEST(RestorePlacement, MonitorsOfDifferentDpi) {
  struct Case {
    const char* name;
    int fontSizePixels;
    int monitorPpi;  // where the form is now; its PPI follows from the font size
    TSize formSize;
    TPlacementValues saved;
    std::optional<TDpiChangeRequest> dpiChange;
    TRect bounds;
  };
  const Case cases[] = {
      // 96 → 144: the form is told first, then sized at 144 PPI.
      {"onto the 144-dpi monitor",
       12,
       96,
       {640, 480},
       {2000, 0, 800, 600, false},
       TDpiChangeRequest{144, Box(2000, 0, 960, 720)},
       Box(2000, 0, 1200, 900)},
      // At font size 12 the form is at 128 PPI on 96 dpi and at 192 on 144 dpi.
      {"onto the 144-dpi monitor at font size 12",
       16,
       96,
       {640, 480},
       {2000, 0, 800, 600, false},
       TDpiChangeRequest{144, Box(2000, 0, 960, 720)},
       Box(2000, 0, 1600, 1200)},
      {"back onto the primary",
       12,
       144,
       {960, 720},
       {100, 50, 800, 600, false},
       TDpiChangeRequest{96, Box(100, 50, 640, 480)},
       Box(100, 50, 800, 600)},
      {"staying on the 144-dpi monitor",
       12,
       144,
       {960, 720},
       {2000, 0, 800, 600, false},
       std::nullopt,
       Box(2000, 0, 1200, 900)},
      // Clamped into the right monitor's work area, which starts at -200.
      {"above the 144-dpi monitor",
       12,
       96,
       {640, 480},
       {3000, -400, 800, 600, false},
       TDpiChangeRequest{144, Box(3000, -200, 960, 720)},
       Box(3000, -200, 1200, 900)},
      // 1000 units are 1500 pixels at 144 dpi, more than the 1400-pixel height: limited,
      // then shifted up.
      {"larger than the 144-dpi work area",
       12,
       96,
       {640, 480},
       {2000, 600, 1000, 1000, false},
       TDpiChangeRequest{144, Box(2000, 600, 960, 720)},
       Box(2000, -200, 1500, 1400)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFormFacts form = Facts();
    form.FontSizePixels = c.fontSizePixels;
    form.MonitorPpi = c.monitorPpi;
    form.Ppi = FormPpiForMonitor(c.monitorPpi, c.fontSizePixels, form.DesignFontHeight);
    form.Bounds = RectAt(100, 100, c.formSize);
    const TRestoreResult result = RestorePlacement(c.saved, kThree, form);
    EXPECT_FALSE(result.CenterOnPrimary);
    ASSERT_EQ(result.DpiChange.has_value(), c.dpiChange.has_value());
    if (c.dpiChange) {
      EXPECT_EQ(result.DpiChange->NewDpi, c.dpiChange->NewDpi);
      EXPECT_EQ(Show(result.DpiChange->Suggested), Show(c.dpiChange->Suggested));
    }
    EXPECT_EQ(Show(result.Bounds), Show(c.bounds));
  }
}

TEST(RestorePlacement, NoDpiChangeWithoutAScaledFormOrAKnownMonitor) {
  const TPlacementValues saved{2000, 0, 800, 600, false};
  TFormFacts notScaled = Facts();
  notScaled.Scaled = false;
  TFormFacts monitorUnknown = Facts();
  monitorUnknown.MonitorPpi = 0;
  for (const TFormFacts& form : {notScaled, monitorUnknown}) {
    const TRestoreResult result = RestorePlacement(saved, kThree, form);
    EXPECT_FALSE(result.DpiChange);
    // The size stays converted at the form's own PPI.
    EXPECT_EQ(Show(result.Bounds), Show(Box(2000, 0, 800, 600)));
  }
}

TEST(RestorePlacement, SavedAndRestoredWindowComesBack) {
  // What one session saves, the next restores to the same place, at any PPI.
  for (const int ppi : {96, 120, 144, 192}) {
    SCOPED_TRACE(ppi);
    const TMonitors monitors{{{0, 0, 3840, 2160}, {0, 0, 3840, 2100}, ppi, true}};
    TFormFacts form = Facts();
    form.MonitorPpi = ppi;
    form.Ppi = ppi;
    form.NormalBounds = Box(300, 200, FromDesign(800, ppi), FromDesign(600, ppi));
    form.State = TWindowState::wsMaximized;
    form.Bounds = Box(-8, -8, 3856, 2116);
    const TPlacementValues values = SavePlacement(form, monitors[0].WorkArea);
    EXPECT_EQ(values, (TPlacementValues{300, 200, 800, 600, true}));
    form.State = TWindowState::wsNormal;
    form.Bounds = Box(0, 0, 640, 480);
    const TRestoreResult result = RestorePlacement(values, monitors, form);
    EXPECT_EQ(Show(result.Bounds), Show(form.NormalBounds));
    EXPECT_TRUE(result.Maximize);
  }
}

}  // namespace
}  // namespace palvetta
