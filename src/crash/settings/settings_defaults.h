#pragma once
// The built-in default of a setting, which the executable's settings fall back on when
// its resource lacks the key; the values are the Default column of settings_table.h.

#include "crash/settings/sw_property.h"

namespace palvetta {

// The default of that row of the settings table as a property, its text widened from the
// 8-bit constant; false when the row has none (it reads false, 0 or an empty text).
bool DefaultProperty(int row, TSWProperty& prop);

}  // namespace palvetta
