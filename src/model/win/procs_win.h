#pragma once
// The shared procedures that ask Windows.

#include <string>

#include "base/text.h"

namespace palvetta {

// Clears the list and fills it with the root paths of the logical drives ("C:\").
void ListLogicalDrives(TStrings& list);
// The user's decimal separator, for FormatByteSize.
char UserDecimalSeparator();

}  // namespace palvetta
