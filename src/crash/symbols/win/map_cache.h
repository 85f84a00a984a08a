#pragma once
// The process's symbol maps, one per loaded module, made at the first lookup in it.
//
// Lookups run on the exception thread, the report thread and the trace service at once:
// the cache has its own lock, and a map that is replaced (its module file changed, or the
// module was loaded elsewhere) lives on for as long as someone still reads it.

#include <memory>

#include "crash/symbols/map_file.h"

namespace palvetta {

// The map of the module holding the address (nullptr: the crash reporter's own module).
// An empty, invalid map when the address lies in no module or the module has no map.
std::shared_ptr<const TMapFile> MapFileForAddress(const void* address);

// Forgets every cached map (maps still in use stay alive until their last reader lets
// go).
void ClearMapCache();

}  // namespace palvetta
