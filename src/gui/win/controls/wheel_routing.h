#pragma once
// The mouse wheel changes the value of a drop-down list, a number field or a date or time
// picker only while that control has the focus. Turned over one that has not, it goes to
// the control's parent instead: a user scrolling a panel group through its fields scrolls
// the group and never alters a value on the way.

#include <windows.h>

namespace palvetta {

// The wheel turned over the window (the control, or a part of it such as its spin buttons
// or its text field) reaches the window only while the focus is within the control; else
// the control's parent gets it. Done again after another subclass was put on the window,
// it goes back in front of that one.
void WheelOnlyWithFocus(HWND window, HWND control);
// The same for the control and every child window it has now.
void WheelOnlyWithFocus(HWND control);

}  // namespace palvetta
