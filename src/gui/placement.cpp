#include "gui/placement.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace palvetta {

namespace {

constexpr int kDesignPpi = 96;

// value × numerator / denominator, rounded to nearest with halves away from zero;
// denominator must be positive.
int ScaleRounded(int value, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t magnitude =
      (2 * std::llabs(product) + denominator) / (2 * std::int64_t{denominator});
  return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

// Same, rounded down; all arguments non-negative, denominator positive.
int ScaleDown(int value, int numerator, int denominator) {
  return static_cast<int>(std::int64_t{value} * numerator / denominator);
}

int KnownPpi(int ppi) { return ppi > 0 ? ppi : kDesignPpi; }

std::int64_t IntersectionArea(const TRect& a, const TRect& b) {
  const std::int64_t width = std::min(a.Right(), b.Right()) - std::max(a.Left, b.Left);
  const std::int64_t height = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top, b.Top);
  return width > 0 && height > 0 ? width * height : 0;
}

std::int64_t SquaredDistance(const TRect& a, const TRect& b) {
  const std::int64_t dx = std::max({0, b.Left - a.Right(), a.Left - b.Right()});
  const std::int64_t dy = std::max({0, b.Top - a.Bottom(), a.Top - b.Bottom()});
  return dx * dx + dy * dy;
}

TRect PrimaryWorkArea(const TMonitors& monitors) {
  const TMonitorInfo* primary = PrimaryMonitor(monitors);
  return primary ? primary->WorkArea : TRect{};
}

}  // namespace

TRect RectAt(int left, int top, TSize size) { return {left, top, size.Width, size.Height}; }

int ToDesign(int pixels, int ppi) { return ScaleRounded(pixels, kDesignPpi, KnownPpi(ppi)); }

int FromDesign(int units, int ppi) { return ScaleRounded(units, KnownPpi(ppi), kDesignPpi); }

int DesignFontHeight(int fontHeight, int ppi) {
  return std::max(1, ToDesign(std::abs(fontHeight), ppi));
}

int FormPpiForMonitor(int monitorPpi, int fontSizePixels, int designFontHeight) {
  if (designFontHeight <= 0) return monitorPpi;
  return ScaleRounded(monitorPpi, fontSizePixels, designFontHeight);
}

int EffectivePPI(const TFormFacts& form, const TRect& workArea) {
  const int monitorPpi = form.MonitorPpi;
  if (monitorPpi <= 0) return form.Ppi;
  int ppi = FormPpiForMonitor(monitorPpi, form.FontSizePixels, form.DesignFontHeight);
  const TRect& bounds = form.Bounds;
  if (form.Border == TBorderKind::bkFixed && ppi > monitorPpi && !bounds.IsEmpty() &&
      !workArea.IsEmpty()) {
    const int formPpi = KnownPpi(form.Ppi);
    const int fitHeight = ScaleDown(formPpi, workArea.Height, bounds.Height);
    const int fitWidth = ScaleDown(formPpi, workArea.Width, bounds.Width);
    ppi = std::max(monitorPpi, std::min({ppi, fitHeight, fitWidth}));
  }
  return ppi;
}

TAnchorGaps RecordAnchorGaps(const TControlLayout& beforeScaling) {
  const TControlLayout& c = beforeScaling;
  if (c.Aligned || !(c.Anchors.Right || c.Anchors.Bottom)) return {};
  return {c.ParentClient.Width - c.Bounds.Right(), c.ParentClient.Height - c.Bounds.Bottom()};
}

TRect CorrectAnchoredBounds(const TControlLayout& afterScaling, const TAnchorGaps& gaps,
                            int fromPpi, int toPpi) {
  const TControlLayout& c = afterScaling;
  TRect bounds = c.Bounds;
  if (fromPpi <= 0) return bounds;
  // One axis: the control's start and extent, the parent's extent, the recorded gap and
  // the anchors at both ends.
  auto correct = [&](int& start, int& extent, int parentExtent, const std::optional<int>& gap,
                     bool anchoredAtStart, bool anchoredAtEnd) {
    if (!gap || !anchoredAtEnd) return;
    const int expected = parentExtent - ScaleRounded(*gap, toPpi, fromPpi);
    if (std::abs(start + extent - expected) <= 1) return;
    if (anchoredAtStart) {
      extent = std::max(0, expected - start);
    } else {
      start = expected - extent;
    }
  };
  correct(bounds.Left, bounds.Width, c.ParentClient.Width, gaps.Right, c.Anchors.Left,
          c.Anchors.Right);
  correct(bounds.Top, bounds.Height, c.ParentClient.Height, gaps.Bottom, c.Anchors.Top,
          c.Anchors.Bottom);
  return bounds;
}

const TMonitorInfo* PrimaryMonitor(const TMonitors& monitors) {
  for (const auto& monitor : monitors) {
    if (monitor.Primary) return &monitor;
  }
  return monitors.empty() ? nullptr : &monitors.front();
}

const TMonitorInfo* NearestMonitor(const TMonitors& monitors, const TRect& rect) {
  const TMonitorInfo* best = nullptr;
  std::int64_t bestArea = 0;
  for (const auto& monitor : monitors) {
    const std::int64_t area = IntersectionArea(rect, monitor.Bounds);
    if (area > bestArea) {
      best = &monitor;
      bestArea = area;
    }
  }
  if (best) return best;
  std::int64_t bestDistance = 0;
  for (const auto& monitor : monitors) {
    const std::int64_t distance = SquaredDistance(rect, monitor.Bounds);
    if (!best || distance < bestDistance) {
      best = &monitor;
      bestDistance = distance;
    }
  }
  return best;
}

bool LiesOnAnyMonitor(const TMonitors& monitors, const TRect& rect) {
  return std::any_of(monitors.begin(), monitors.end(), [&](const TMonitorInfo& monitor) {
    return IntersectionArea(rect, monitor.Bounds) > 0;
  });
}

TRect ChooseWorkArea(const TMonitors& monitors, const std::optional<TRect>& formWindow,
                     const std::optional<TRect>& mainWindow) {
  const TMonitorInfo* monitor = nullptr;
  if (formWindow) {
    monitor = NearestMonitor(monitors, *formWindow);
  } else if (mainWindow) {
    monitor = NearestMonitor(monitors, *mainWindow);
  } else {
    monitor = PrimaryMonitor(monitors);
  }
  return monitor ? monitor->WorkArea : TRect{};
}

TRect FitIntoWorkArea(const TFormFacts& form, const TRect& workArea) {
  TRect bounds = form.Bounds;
  if (form.Border != TBorderKind::bkSizeable || form.State != TWindowState::wsNormal ||
      workArea.IsEmpty()) {
    return bounds;
  }
  bounds.Width = std::min(bounds.Width, workArea.Width);
  bounds.Height = std::min(bounds.Height, workArea.Height);
  return bounds;
}

TRect CenterOnPrimary(const TFormFacts& form, const TMonitors& monitors) {
  const TRect workArea = PrimaryWorkArea(monitors);
  TFormFacts centred = form;
  centred.Bounds.Left = workArea.Left + std::max(0, (workArea.Width - form.Bounds.Width) / 2);
  centred.Bounds.Top = workArea.Top + std::max(0, (workArea.Height - form.Bounds.Height) / 2);
  return FitIntoWorkArea(centred, workArea);
}

TPlacementValues SavePlacement(const TFormFacts& form, const TRect& workArea) {
  TRect rect = form.NormalBounds.IsEmpty() ? form.Bounds : form.NormalBounds;
  bool maximized = form.State == TWindowState::wsMaximized;
  if (form.State == TWindowState::wsMinimized) maximized = form.RestoreToMaximized;
  if (maximized && !workArea.IsEmpty()) {
    // Doubled coordinates keep the centre exact; inside means the half-open area.
    const std::int64_t centreX2 = 2 * std::int64_t{rect.Left} + rect.Width;
    const std::int64_t centreY2 = 2 * std::int64_t{rect.Top} + rect.Height;
    const bool centreInside = 2 * std::int64_t{workArea.Left} <= centreX2 &&
                              centreX2 < 2 * std::int64_t{workArea.Right()} &&
                              2 * std::int64_t{workArea.Top} <= centreY2 &&
                              centreY2 < 2 * std::int64_t{workArea.Bottom()};
    if (!centreInside) {
      rect.Width = std::min(rect.Width, workArea.Width);
      rect.Height = std::min(rect.Height, workArea.Height);
      rect.Left = workArea.Left + (workArea.Width - rect.Width) / 2;
      rect.Top = workArea.Top + (workArea.Height - rect.Height) / 2;
    }
  }
  return {rect.Left, rect.Top, ToDesign(rect.Width, form.Ppi), ToDesign(rect.Height, form.Ppi),
          maximized};
}

TRestoreResult RestorePlacement(const std::optional<TPlacementValues>& saved,
                                const TMonitors& monitors, const TFormFacts& form) {
  TRestoreResult result;
  auto centre = [&] {
    result.CenterOnPrimary = true;
    result.Bounds = CenterOnPrimary(form, monitors);
    return result;
  };
  if (!saved || saved->Width < 1 || saved->Height < 1) return centre();
  const TRect savedRect{saved->Left, saved->Top, FromDesign(saved->Width, form.Ppi),
                        FromDesign(saved->Height, form.Ppi)};
  if (!LiesOnAnyMonitor(monitors, savedRect)) return centre();
  const TMonitorInfo& target = *NearestMonitor(monitors, savedRect);
  const TRect& workArea = target.WorkArea;

  const TSize currentSize{form.Bounds.Width, form.Bounds.Height};
  auto clampInto = [](int position, int extent, int areaStart, int areaExtent) {
    return std::clamp(position, areaStart, areaStart + areaExtent - std::min(extent, areaExtent));
  };
  result.Moved =
      RectAt(clampInto(saved->Left, currentSize.Width, workArea.Left, workArea.Width),
             clampInto(saved->Top, currentSize.Height, workArea.Top, workArea.Height), currentSize);

  int ppi = form.Ppi;
  if (form.Scaled && form.MonitorPpi > 0 && target.Ppi > 0 && target.Ppi != form.MonitorPpi) {
    const TSize scaledSize{ScaleRounded(currentSize.Width, target.Ppi, form.MonitorPpi),
                           ScaleRounded(currentSize.Height, target.Ppi, form.MonitorPpi)};
    result.DpiChange =
        TDpiChangeRequest{target.Ppi, RectAt(result.Moved.Left, result.Moved.Top, scaledSize)};
    ppi = FormPpiForMonitor(target.Ppi, form.FontSizePixels, form.DesignFontHeight);
  }

  TRect bounds{saved->Left, saved->Top, std::min(FromDesign(saved->Width, ppi), workArea.Width),
               std::min(FromDesign(saved->Height, ppi), workArea.Height)};
  // The size fits, so each axis is shifted at most once.
  if (bounds.Right() > workArea.Right()) bounds.Left = workArea.Right() - bounds.Width;
  if (bounds.Bottom() > workArea.Bottom()) bounds.Top = workArea.Bottom() - bounds.Height;
  if (bounds.Left < workArea.Left) bounds.Left = workArea.Left;
  if (bounds.Top < workArea.Top) bounds.Top = workArea.Top;
  result.Bounds = bounds;
  result.Maximize = saved->Maximized;
  return result;
}

}  // namespace palvetta
