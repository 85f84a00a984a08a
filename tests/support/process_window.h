#pragma once
// The window a user sees when another program starts: its first visible top-level window
// that no other window owns.

#include <windows.h>

namespace palvetta {

// nullptr while the process shows no such window.
HWND FirstVisibleWindow(DWORD processId);

}  // namespace palvetta
