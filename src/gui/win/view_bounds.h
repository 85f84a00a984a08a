#pragma once
// Moving a scrolling view (tree view, list view) without repainting what is still right.
// Such a view invalidates all of itself whenever its size changes, although after a
// change of its height alone, unscrolled, everything it showed stays where it was: a
// window whose height follows the mouse would otherwise repaint the whole view at every
// step of the drag.

#include <windows.h>

#include "gui/geometry.h"

namespace palvetta {

// Gives the view the bounds (in its parent's client coordinates); when the change left its
// left, top and client width as they were and it did not scroll, only the strip it
// gained at the bottom is repainted.
void SetViewBounds(HWND view, const TRect& bounds);

}  // namespace palvetta
