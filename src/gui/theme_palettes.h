#pragma once
// The colours of each theme. The window layer paints windows, controls and the batch
// preview from these; nothing here knows how it paints.

#include <cstdint>
#include <span>
#include <string_view>

namespace palvetta {

using TRgb = uint32_t;  // 0xRRGGBB

// Colours of the batch preview's syntax highlighting.
struct THighlighterColors {
  TRgb Comment;   // REM and :: lines
  TRgb Command;   // keywords and commands
  TRgb Label;     // :label lines and GOTO/CALL targets
  TRgb Variable;  // %name%, !name!, %1, %%i
  TRgb String;    // quoted text
  TRgb Number;
  TRgb Operator;  // redirections, pipes, &, &&, ||, parentheses
  TRgb PlainText;
};

struct TPalette {
  static constexpr TRgb kUnnamedColor = 0xFF000000;

  TRgb Window;   // form background
  TRgb Control;  // edit, list and tree background
  TRgb Text;
  TRgb DisabledText;
  TRgb SelectionBackground;
  TRgb SelectionText;
  TRgb Border;
  TRgb Header;  // list column headers, group captions
  TRgb Accent;  // focus rectangle, hot items, default button frame
  TRgb ButtonFace;
  THighlighterColors Highlighter;
  // The selection of a list or tree without the focus. A theme may leave them unnamed;
  // ThemePalettes() gives them as DeriveInactiveSelection does.
  TRgb InactiveSelectionBackground = kUnnamedColor;
  TRgb InactiveSelectionText = kUnnamedColor;
};

struct TThemePalette {
  std::string_view DisplayName;  // as in ThemeTable
  // The theme keeps the system's own colours; the palette then only stands in where a
  // colour has to be named (the preview).
  bool UsesSystemColors;
  TPalette Colors;
};

// Fills in the unnamed inactive selection colours: half way from the control towards
// the focused selection, so it reads as the same selection at rest, with whichever of
// the theme's text and selection text stands out more on it.
TPalette DeriveInactiveSelection(TPalette palette);

// One palette per row of ThemeTable, in the same order, every colour named.
std::span<const TThemePalette> ThemePalettes();
// By display name, ignoring case; nullptr when there is no such theme.
const TThemePalette* FindThemePalette(std::string_view displayName);
// Raises std::out_of_range outside the table.
const TThemePalette& ThemePaletteAt(int index);

// WCAG 2 relative luminance (0 = black, 1 = white) and contrast ratio (1..21).
double RelativeLuminance(TRgb color);
double ContrastRatio(TRgb a, TRgb b);
// Dark themes want light text and a dark window frame.
bool IsDark(const TPalette& palette);

}  // namespace palvetta
