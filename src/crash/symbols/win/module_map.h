#pragma once
// A loaded module's symbol map, from its own "SWD" "EXCEPT" resource or, failing that, the
// program database or else a packed ".swd" file beside the module.

#include <windows.h>

#include <memory>
#include <string>

#include "crash/symbols/map_file.h"

namespace palvetta {

// The map of the module loaded at module from the file fileName: valid when a source was
// read, else empty and invalid.
std::unique_ptr<TMapFile> CreateModuleMap(HMODULE module, const std::u16string& fileName);

}  // namespace palvetta
