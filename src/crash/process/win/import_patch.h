#pragma once
// Redirecting imported functions: the slots of a module's import address tables that
// hold one address are made to hold another.

#include <windows.h>

#include "crash/process/win/process_facts.h"

namespace palvetta {

// Overwrites every import slot of the module that holds the old address with the new
// one; returns the number of slots changed. An import table that points outside the
// image stops the walk (and, with a debugger attached, says so for the reporter's own
// module).
int PatchModuleImports(HMODULE module, const void* oldAddress, const void* newAddress);
// The same for every module of the list, then the processor's instruction cache is
// flushed.
int PatchAllImports(const TDAModule& modules, const void* oldAddress, const void* newAddress);

}  // namespace palvetta
