#pragma once
// The batch preview's text as RTF for a RichEdit control, coloured by the batch highlighter.

#include <string>
#include <string_view>

#include "gui/theme_palettes.h"

namespace palvetta {

// A complete RTF document: one font, a colour table with the eight highlighter colours in the
// order of THighlighterColors (entries 1 to 8) and the background (entry 9, used as the
// text's highlight so that it matches the control's own background colour, which the caller
// still sets). Each line of the text becomes a paragraph; the text is UTF-8, and characters
// outside ASCII are written as \uN? escapes.
std::string BatchToRtf(std::string_view text, const THighlighterColors& colors, TRgb background,
                       std::string_view fontName, int fontPoints);

}  // namespace palvetta
