#include "gui/win/form.h"

#include <shellscalingapi.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "gui/appearance.h"
#include "gui/win/action_binding.h"
#include "gui/win/theme_painter.h"
#include "gui/win/ui_seams.h"

namespace palvetta {
namespace {

constexpr UINT kRunPosted = WM_APP + 1;

TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

TRect WindowBounds(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return FromRECT(r);
}

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0;
  UINT y = 0;
  if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y > 0) {
    return static_cast<int>(y);
  }
  return static_cast<int>(GetDpiForSystem());
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto* monitors = reinterpret_cast<TMonitors*>(data);
  monitors->push_back({FromRECT(info.rcMonitor), FromRECT(info.rcWork), MonitorDpi(monitor),
                       (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

bool IsWithin(HWND window, HWND ancestor) {
  return window == ancestor || IsChild(ancestor, window);
}

}  // namespace

TMonitors CurrentMonitors() {
  TMonitors monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

TForm::TForm(TFormEnvironment environment, int fontPoints)
    : FEnvironment(std::move(environment)),
      FFontPoints(fontPoints > 0 ? fontPoints : FEnvironment.FontPoints()) {
  if (FEnvironment.OpenWindows) FEnvironment.OpenWindows->Register(*this);
}

TForm::~TForm() {
  if (FEnvironment.OpenWindows) FEnvironment.OpenWindows->Unregister(*this);
}

void TForm::FormCreated() {
  const int dpi = static_cast<int>(GetDpiForWindow(Handle()));
  FDpi = dpi > 0 ? dpi : 96;
  FNormalBounds = WindowBounds(Handle());
}

void TForm::SetFontPoints(int points) {
  FFontPoints = points;
  if (!Handle()) return;
  Rescale(nullptr);
  FitIntoWorkArea();
}

bool TForm::ShowContextHelp() {
  if (FEnvironment.HelpFile.empty()) return false;
  return ShowHelp(Handle(), FEnvironment.HelpFile, static_cast<unsigned>(FHelpContext));
}

TBorderKind TForm::Border() const {
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  if (style & WS_THICKFRAME) return TBorderKind::bkSizeable;
  if (style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME)) return TBorderKind::bkFixed;
  return TBorderKind::bkNone;
}

TFormFacts TForm::Facts() const {
  TFormFacts facts;
  facts.Bounds = WindowBounds(Handle());
  facts.NormalBounds = FNormalBounds;
  // A form is always drawn at its monitor's DPI; the font size is applied in points.
  facts.Ppi = FDpi;
  facts.MonitorPpi = FDpi;
  facts.FontSizePixels = palvetta::FontSizeToPixels(FFontPoints);
  facts.Border = Border();
  if (IsIconic(Handle())) {
    facts.State = TWindowState::wsMinimized;
  } else if (IsZoomed(Handle())) {
    facts.State = TWindowState::wsMaximized;
  }
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(Handle(), &placement)) {
    facts.RestoreToMaximized = (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
  }
  return facts;
}

void TForm::SetBounds(const TRect& bounds) {
  SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::FitIntoWorkArea() {
  if (!Handle()) return;
  const TFormFacts facts = Facts();
  const TRect fitted =
      palvetta::FitIntoWorkArea(facts, ChooseWorkArea(CurrentMonitors(), facts.Bounds, {}));
  if (fitted != facts.Bounds) SetBounds(fitted);
}

void TForm::SavePlacement(TSettingsStore& store, std::string_view section) const {
  if (!Handle()) return;
  const TFormFacts facts = Facts();
  // The work area of the monitor the window is on, maximized or not.
  const TRect workArea = ChooseWorkArea(CurrentMonitors(), facts.Bounds, {});
  const TPlacementValues values = palvetta::SavePlacement(facts, workArea);
  try {
    store.WriteInteger(section, "Left", values.Left);
    store.WriteInteger(section, "Top", values.Top);
    store.WriteInteger(section, "Width", values.Width);
    store.WriteInteger(section, "Height", values.Height);
    store.WriteBool(section, "Maximized", values.Maximized);
  } catch (const std::exception&) {
    // A placement that cannot be saved is simply not remembered.
  }
}

void TForm::RestorePlacement(const TSettingsStore& store, std::string_view section) {
  if (!Handle()) return;
  // Reads already fall back to their defaults; 0 means no saved size.
  const TPlacementValues saved = {store.ReadInteger(section, "Left", 0),
                                  store.ReadInteger(section, "Top", 0),
                                  store.ReadInteger(section, "Width", 0),
                                  store.ReadInteger(section, "Height", 0),
                                  store.ReadBool(section, "Maximized", false)};
  // The saved rectangle is the normal one, so the form leaves a maximized state first.
  if (IsZoomed(Handle()) || IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  FStartMaximized = false;
  const TMonitors monitors = CurrentMonitors();
  const TRestoreResult result = palvetta::RestorePlacement(saved, monitors, Facts());
  if (result.CenterOnPrimary) {
    SetBounds(result.Bounds);
    return;
  }
  SetBounds(result.Moved);
  if (result.DpiChange) {
    RECT suggested = {result.DpiChange->Suggested.Left, result.DpiChange->Suggested.Top,
                      result.DpiChange->Suggested.Right(), result.DpiChange->Suggested.Bottom()};
    const auto dpi = static_cast<WORD>(result.DpiChange->NewDpi);
    SendMessageW(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  SetBounds(result.Bounds);
  if (!result.Maximize) return;
  // A hidden form comes up maximized when it is shown, so restoring never shows it.
  if (IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_MAXIMIZE);
  } else {
    FStartMaximized = true;
  }
}

void TForm::ShowForm(int showCommand, int helpContext) {
  FHelpContext = FDesignHelpContext != 0 ? FDesignHelpContext : helpContext;
  FitIntoWorkArea();
  if (FStartMaximized) {
    FStartMaximized = false;
    showCommand = SW_SHOWMAXIMIZED;
  }
  ShowWindow(Handle(), showCommand);
}

void TForm::Post(std::function<void()> action) {
  FPosted.push_back(std::move(action));
  PostMessageW(Handle(), kRunPosted, 0, 0);
}

bool TForm::PreTranslateModal(const MSG&) { return false; }

void TForm::CentreOn(HWND owner) {
  RECT area = {};
  if (owner) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT self = {};
  GetWindowRect(Handle(), &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  SetWindowPos(Handle(), nullptr, std::max<int>(0, (area.left + area.right - width) / 2),
               std::max<int>(0, (area.top + area.bottom - height) / 2), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TModalResult TForm::RunModal(HWND owner, int helpContext, const std::function<void()>& shown) {
  if (FRunning) throw std::logic_error("The form is already shown");
  SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  if (!FPlaced) {
    CentreOn(owner);
    FPlaced = true;
  }
  FModalResult = TModalResult::mrNone;
  FRunning = true;
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowForm(SW_SHOW, helpContext);
  SetForegroundWindow(Handle());
  if (shown) shown();
  MSG message = {};
  while (FModalResult == TModalResult::mrNone) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      ModalIdle();
      if (FModalResult != TModalResult::mrNone) break;
    }
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is quitting: give WM_QUIT back to the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      FModalResult = TModalResult::mrCancel;
      break;
    }
    if (got == -1) {
      FModalResult = TModalResult::mrCancel;
      break;
    }
    if (PreTranslateModal(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner is enabled before the form hides, so that Windows activates the owner
  // rather than another program.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  ShowWindow(Handle(), SW_HIDE);
  FRunning = false;
  DropQueuedInput();
  return FModalResult;
}

// Keys and actions still queued for a closed form would act on its next showing.
void TForm::DropQueuedInput() {
  FPosted.clear();
  MSG message = {};
  std::vector<MSG> others;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_INPUT)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!message.hwnd || !IsWithin(message.hwnd, Handle())) others.push_back(message);
  }
  for (const MSG& other : others) {
    PostMessageW(other.hwnd, other.message, other.wParam, other.lParam);
  }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The theme colours the form and its controls before anything else sees the message.
  if (message == WM_CTLCOLORSTATIC) {
    // A label of its own colour takes the theme's background all the same.
    std::optional<LRESULT> brush;
    if (FEnvironment.ThemePainter) {
      brush = FEnvironment.ThemePainter->Paint(Handle(), message, wParam, lParam);
    }
    if (!brush) brush = HandleFormMessage(message, wParam, lParam);
    if (const auto color = LabelTextColor(reinterpret_cast<HWND>(lParam))) {
      SetTextColor(reinterpret_cast<HDC>(wParam), *color);
    }
    return *brush;
  }
  if (FEnvironment.ThemePainter) {
    if (const std::optional<LRESULT> painted =
            FEnvironment.ThemePainter->Paint(Handle(), message, wParam, lParam)) {
      return *painted;
    }
  }
  LRESULT result = 0;
  if (FActionBinding && FActionBinding->HandleMessage(message, wParam, lParam, result)) {
    return result;
  }
  return HandleFormMessage(message, wParam, lParam);
}

LRESULT TForm::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kRunPosted: {
      if (FPosted.empty()) return 0;
      std::function<void()> action = std::move(FPosted.front());
      FPosted.erase(FPosted.begin());
      action();
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = TWindow::HandleMessage(message, wParam, lParam);
      if (!IsIconic(Handle()) && !IsZoomed(Handle())) FNormalBounds = WindowBounds(Handle());
      return result;
    }
    case WM_DPICHANGED: {
      FDpi = HIWORD(wParam) > 0 ? HIWORD(wParam) : FDpi;
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      const std::optional<TRect> rect =
          suggested ? std::optional<TRect>(FromRECT(*suggested)) : std::nullopt;
      Rescale(rect ? &*rect : nullptr);
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    }
    case WM_HELP:
      ShowContextHelp();
      return TRUE;
    default:
      return TWindow::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace palvetta
