#pragma once
// The process's symbol maps, one per loaded module, made at the first lookup in it.
//
// Lookups run on the exception thread, the report thread and the trace service at once:
// the cache has its own lock, and a map that is replaced (its module file changed, or the
// module was loaded elsewhere) lives on for as long as someone still reads it.
//
// Asking the system about a module (its file name, its file's time) costs far more than
// the lookup itself, and a stack trace makes thousands of lookups in a handful of
// modules. So a module is checked once per check period: the first lookup in it after
// RecheckModuleFiles asks whether the module at that base still comes from the same,
// unchanged file (and retries a module that had no map); later lookups in the module's
// image take the cached map. An address outside every cached image is looked up afresh,
// so a module loaded at a new base is found at once.

#include <memory>

#include "crash/symbols/map_file.h"

namespace palvetta {

// The map of the module holding the address (nullptr: the crash reporter's own module).
// An empty, invalid map when the address lies in no module or the module has no map.
std::shared_ptr<const TMapFile> MapFileForAddress(const void* address);

// Starts a new check period. The stack tracer calls it at the start of every trace;
// whoever makes another batch of lookups (a report's listing) calls it first too.
void RecheckModuleFiles() noexcept;

// Forgets every cached map (maps still in use stay alive until their last reader lets
// go).
void ClearMapCache();

}  // namespace palvetta
