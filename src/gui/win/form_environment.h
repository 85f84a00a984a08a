#pragma once
// What a form takes from the program around it: the help file F1 opens, the painter of
// the colour theme and the registry of open forms that carries font-size changes to
// them. A default environment is plain (no help, the system's colours, the default font
// size, no registry) and touches nothing shared, so a form made with it can run on a
// thread of its own.

#include <string>

#include "gui/appearance.h"
#include "gui/win/open_windows.h"

namespace palvetta {

class TThemePainter;

struct TFormEnvironment {
  std::string HelpFile;                   // empty: F1 opens nothing
  TThemePainter* ThemePainter = nullptr;  // none: Windows paints
  TOpenWindows* OpenWindows = nullptr;    // none: the form keeps the size it was made with

  // The size a new form starts with.
  int FontPoints() const {
    return OpenWindows ? OpenWindows->FontPoints() : TAppearance::kDefaultFontSize;
  }
};

}  // namespace palvetta
