#pragma once
// A loaded module's symbol map, from its own "SWD" "EXCEPT" resource or, failing that, a
// packed ".swd" file beside the module.

#include <windows.h>

#include <memory>
#include <string>

#include "crash/symbols/map_file.h"
#include "crash/symbols/pe_image.h"

namespace palvetta {

// The headers of a module as loaded (its first page), for its code ranges. False when
// they are not those of a PE image.
bool ReadModuleImageHeaders(HMODULE module, TPeImage& image);

// The map of the module loaded at module from the file fileName: valid when a source was
// read, else empty and invalid.
std::unique_ptr<TMapFile> CreateModuleMap(HMODULE module, const std::u16string& fileName);

}  // namespace palvetta
