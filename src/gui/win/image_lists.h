#pragma once
// Image lists from the program's bitmap strips (one row of square images each).

#include <windows.h>
#include <commctrl.h>

#include "base/win/window_handles.h"

namespace palvetta {

// The strip for a window at this DPI: the large one from 144 dpi on, when it exists,
// scaled to the window's small-icon size. nullptr when neither resource loads (the
// program then shows no pictures rather than not starting).
TScopedImageList LoadImageStrip(const wchar_t* smallName, const wchar_t* largeName, int dpi);

}  // namespace palvetta
