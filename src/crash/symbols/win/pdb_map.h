#pragma once
// A module's symbol map from its program database, read through the system's debug-help
// library.

#include <string>

#include "crash/symbols/map_file.h"

namespace palvetta {

// Fills map (whose ranges are the loaded module's) from the program database of the
// module file fileName and marks it valid; false, leaving the map untouched, when the
// library or the database cannot be read.
bool ReadProgramDatabase(const std::u16string& fileName, TMapFile& map);

}  // namespace palvetta
