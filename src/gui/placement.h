#pragma once
// The arithmetic of every window's scaling and placement: the PPI a form is drawn at,
// conversions to and from 96-dpi units, keeping anchored controls at their edges, the
// work area, and the values a window's placement is saved as and restored from.
// Everything here works on plain data, so the window layer only gathers the facts and
// applies the results.
//
// Rounding: every "a × b / c" rounds to the nearest integer, halves away from zero,
// as the system's MulDiv does, so results match what the window layer would get from
// it. Only two things round down instead: a PPI limited so that a dialog fits its work
// area (rounding up could push it a pixel over), and centring offsets (the odd pixel
// goes to the right and bottom).

#include <optional>
#include <vector>

#include "gui/geometry.h"

namespace palvetta {

// A rectangle's right and bottom edges (Right(), Bottom()) are exclusive, as on screen.
TRect RectAt(int left, int top, TSize size);

struct TMonitorInfo {
  TRect Bounds;
  TRect WorkArea;  // the bounds without the task bar and docked tool bars
  int Ppi = 96;
  bool Primary = false;
};

using TMonitors = std::vector<TMonitorInfo>;

// Fixed covers the single-line, dialog and tool-window frames: such a form keeps its
// size, so it is scaled down to fit instead of being fitted by resizing.
enum class TBorderKind { bkNone, bkFixed, bkSizeable };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// What the window base knows about one form, gathered by the window layer.
struct TFormFacts {
  TRect Bounds;              // current bounds, screen pixels
  TRect NormalBounds;        // last bounds while neither minimized nor maximized
  int Ppi = 96;              // the PPI the form is currently scaled to
  int MonitorPpi = 0;        // PPI of the form's monitor; 0 while unknown
  int DesignFontHeight = 0;  // form font height in pixels at 96 dpi; 0 until loaded
  int FontSizePixels = 12;   // the user's font size in pixels at 96 dpi
  TBorderKind Border = TBorderKind::bkSizeable;
  TWindowState State = TWindowState::wsNormal;
  bool RestoreToMaximized = false;  // a minimized window comes back maximized
  bool Scaled = true;               // the form follows the DPI and the font size
};

// ---- PPI and 96-dpi units ----

// Pixels at ppi to 96-dpi units and back. A ppi below 1 counts as 96, so a form whose
// PPI is not known yet converts nothing. From units to pixels and back gives the
// units again at every ppi of 96 and above; from pixels to units and back can be a
// pixel off (at ppi up to 288), as a unit is then larger than a pixel.
int ToDesign(int pixels, int ppi);
int FromDesign(int units, int ppi);

// The height a form's or control's font is recorded with: |fontHeight| at ppi in
// 96-dpi units, at least 1.
int DesignFontHeight(int fontHeight, int ppi);

// The PPI the form is scaled to on a monitor of monitorPpi, so that its design font
// comes out at the user's font size: monitorPpi × fontSizePixels / designFontHeight,
// or monitorPpi while the design font is unknown. A new monitor DPI is passed on to
// the framework as this value.
int FormPpiForMonitor(int monitorPpi, int fontSizePixels, int designFontHeight);

// FormPpiForMonitor of the form's monitor, except that a fixed-size form that would
// grow is limited (rounded down) to the PPI at which its current size fits the work
// area, though never below the monitor PPI: a dialog should fit its monitor, but never
// be drawn smaller than the system asks. The form's current PPI while its monitor PPI
// is unknown.
int EffectivePPI(const TFormFacts& form, const TRect& workArea);

// ---- Anchored controls across a rescale ----

struct TAnchors {
  bool Left = true;
  bool Top = true;
  bool Right = false;
  bool Bottom = false;
};

struct TControlLayout {
  TRect Bounds;  // in the parent's client coordinates
  TSize ParentClient;
  TAnchors Anchors;
  bool Aligned = false;  // docked controls follow their parent's layout, not anchors
};

// Gaps to the parent's right and bottom client edges, kept for a control that is not
// aligned and is anchored right or bottom; both are empty for any other control.
struct TAnchorGaps {
  std::optional<int> Right;
  std::optional<int> Bottom;
};

TAnchorGaps RecordAnchorGaps(const TControlLayout& beforeScaling);

// The framework's scaling rounds each control on its own, so an anchored edge can
// drift from its parent's edge. For each recorded side the expected edge is the parent
// edge less the gap scaled by toPpi / fromPpi; when the control's edge is more than 1
// pixel away from it, a control anchored on both sides is resized to reach it (never
// below 0), any other is moved. The result is the corrected bounds.
TRect CorrectAnchoredBounds(const TControlLayout& afterScaling, const TAnchorGaps& gaps,
                            int fromPpi, int toPpi);

// ---- Monitors and work areas ----

// The monitor marked primary, else the first; nullptr when there is none.
const TMonitorInfo* PrimaryMonitor(const TMonitors& monitors);

// The monitor the rectangle overlaps most; when it overlaps none, the one closest to
// it. Ties go to the earlier monitor. nullptr when there is none.
const TMonitorInfo* NearestMonitor(const TMonitors& monitors, const TRect& rect);

// A rectangle lies on a monitor when its intersection with the monitor's bounds has an
// area; touching an edge does not count.
bool LiesOnAnyMonitor(const TMonitors& monitors, const TRect& rect);

// The work area of the monitor nearest to the form's window when that exists, else of
// the one nearest to the main window when that exists, else of the primary monitor.
// Empty when there are no monitors.
TRect ChooseWorkArea(const TMonitors& monitors, const std::optional<TRect>& formWindow,
                     const std::optional<TRect>& mainWindow);

// A sizeable form in the normal state gets its width and height reduced to the work
// area's; position and every other form are left alone. An empty work area fits
// nothing.
TRect FitIntoWorkArea(const TFormFacts& form, const TRect& workArea);

// The form's current size centred (rounded down) on the primary monitor's work area,
// but never left of or above it, then fitted.
TRect CenterOnPrimary(const TFormFacts& form, const TMonitors& monitors);

// ---- Saving and restoring a placement ----

// Left and Top are screen pixels; Width and Height are 96-dpi units, 0 when none was
// saved.
struct TPlacementValues {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = false;

  bool operator==(const TPlacementValues&) const = default;
};

// The values to write for the form. The rectangle is the normal bounds, or the current
// bounds when those are empty. A minimized window counts as maximized when it will be
// restored to maximized. A maximized window whose rectangle's centre lies outside
// workArea (the work area of the monitor it is maximized on) has the rectangle reduced
// to the work area's size and centred in it, so it comes back on that monitor.
TPlacementValues SavePlacement(const TFormFacts& form, const TRect& workArea);

// Moving the form onto a monitor of another DPI: the message the window layer sends,
// so the form rescales before it gets its final size.
struct TDpiChangeRequest {
  int NewDpi = 0;
  TRect Suggested;  // the moved position, the size scaled by NewDpi / monitor PPI
};

struct TRestoreResult {
  // No usable saved placement: Bounds is the form centred on the primary monitor and
  // the other fields are unused.
  bool CenterOnPrimary = false;
  // Apply in this order: move to Moved, send DpiChange if any, set Bounds, maximize
  // when Maximize.
  TRect Moved;
  std::optional<TDpiChangeRequest> DpiChange;
  TRect Bounds;
  bool Maximize = false;
};

// saved is empty when reading failed. Without a saved size (Width or Height below 1),
// or when the saved rectangle (its size converted at the form's PPI) lies on no
// monitor, the form is centred on the primary monitor. Otherwise the target is the
// monitor the saved rectangle overlaps most, and everything below uses its work area:
//  - Moved: the form, keeping its size, at the saved position clamped so that as much
//    of it as fits lies in the work area;
//  - DpiChange: when the form is scaled, its monitor PPI is known and differs from the
//    target's PPI (the DPI the system reports for the window once moved there);
//  - Bounds: the saved position with the saved size, converted at the PPI the form
//    has after any DPI change and limited to the work area's size, then shifted left,
//    up, right and down (in that order) into the work area.
TRestoreResult RestorePlacement(const std::optional<TPlacementValues>& saved,
                                const TMonitors& monitors, const TFormFacts& form);

}  // namespace palvetta
