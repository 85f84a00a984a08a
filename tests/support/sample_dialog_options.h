#pragma once
// How the window tests show the sample dialogs of sample_dialogs.h: titled, at 9 points.

#include "gui/win/dialog.h"

namespace palvetta {

inline TDialogOptions ParameterOptions() { return {"Parameter", 9, {}}; }
inline TDialogOptions SubroutineOptions() { return {"Subroutine", 9, {}}; }

}  // namespace palvetta
