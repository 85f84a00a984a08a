#pragma once
// Paints our windows in the chosen theme's colours. A form asks the painter of its
// environment about each message first (Paint); it answers the colour messages and background erasing
// from the current palette, or leaves them to Windows when the theme keeps the system
// colours.
//
// What Win32 cannot recolour without undocumented hooks keeps the system look in every
// theme: scroll bars, the arrow of combo boxes and up-down controls, window frames and
// captions, drop-down and context menus, message boxes, the common dialogs (open/save,
// folder picker), the faces of push buttons drawn by visual styles, and check-box and
// radio-button glyphs, and the grid lines of list views. The menu bar takes the theme's
// colours (menu_bar_painting.h); the status bar takes a light theme's background, and in a
// dark theme keeps the system look, as its text is always the system's dark text (visual
// styles may keep it anyway). Date and time pickers draw their text in the system's colour
// whatever their background, so their fields keep the system's window colour too. Group
// box captions and tab captions are drawn by their controls in the colours given here.

#include <windows.h>

#include <optional>
#include <set>

#include "base/win/window_handles.h"
#include "gui/appearance.h"
#include "gui/theme_palettes.h"
#include "gui/win/menu_bar_painting.h"

namespace palvetta {

// 0xRRGGBB to the Win32 byte order 0x00BBGGRR.
constexpr COLORREF ToColorRef(TRgb color) {
  return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

class TThemePainter : public IThemeSwitcher {
 public:
  // Starts with the system colours. It must outlive the forms whose environment names it.
  TThemePainter() = default;
  ~TThemePainter() override = default;
  TThemePainter(const TThemePainter&) = delete;
  TThemePainter& operator=(const TThemePainter&) = delete;

  // Takes the palette of the row's display name and repaints every registered window.
  // A row without a palette, or brushes Windows refuses, leave the old colours in place.
  bool SwitchTo(const TThemeRow& row) override;

  bool UsesSystemColors() const { return !FThemed; }
  // The palette of the last successful switch, also when that theme keeps the system
  // colours (the batch preview still needs highlighter colours); nullptr before the first.
  const TThemePalette* CurrentPalette() const { return FCurrentPalette; }
  // The colours actually painted: the palette's, or the system's equivalents.
  COLORREF WindowColor() const;
  COLORREF ControlColor() const;
  COLORREF TextColor() const;
  COLORREF DisabledTextColor() const;
  // A selected row of a list or tree view, with and without the focus.
  COLORREF SelectionBackground(bool focused) const;
  COLORREF SelectionText(bool focused) const;

  // The answer to a message of the window, or nothing when the window's own handling
  // (and finally DefWindowProc) should run. Registers the window on its first question
  // and forgets it when it is destroyed.
  std::optional<LRESULT> Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Register(HWND window);
  void Unregister(HWND window) { FWindows.erase(window); }
  bool IsRegistered(HWND window) const { return FWindows.count(window) != 0; }

 private:
  struct TBrushes {
    TScopedBrush Window;
    TScopedBrush Control;
  };
  // The list and tree views among the window's children take the colours; they never
  // send WM_CTLCOLOR* messages.
  void ColorChildren(HWND window) const;
  // NM_CUSTOMDRAW of a list or tree view: the rows selected in the theme's colours.
  std::optional<LRESULT> PaintSelection(NMHDR& header) const;
  void Repaint(HWND window) const;
  COLORREF StatusBarColor() const;

  bool FThemed = false;
  TPalette FPalette{};
  const TThemePalette* FCurrentPalette = nullptr;
  TBrushes FBrushes;
  TMenuBarColors FMenuBarColors{};
  std::set<HWND> FWindows;
};

}  // namespace palvetta
