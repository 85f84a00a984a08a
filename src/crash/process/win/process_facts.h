#pragma once
// The running process: the module that carries the reporter, its threads and modules.

#include <windows.h>

#include <string>
#include <vector>

#include "base/win/kernel_handles.h"
#include "crash/process/crash_types.h"

namespace palvetta {

struct TModule {
  HMODULE handle = nullptr;
  std::u16string fileName;  // without its folder
};
using TDAModule = std::vector<TModule>;

// Remembers the module that carries the reporter; nullptr: the module holding this code.
void InitOwnModule(HMODULE module = nullptr);
HMODULE OwnModule();

// The ids of all threads of this process, in the system's order.
TDACardinal EnumProcessThreads();

// The thread opened with the access, its handle inheritable; empty on failure.
TScopedKernelHandle OpenThreadById(DWORD threadId, DWORD access);

// Every module mapped into the process, found by walking the address space.
TDAModule ListLoadedModules();

// The module's full path (nullptr: the executable's); empty on failure.
std::u16string ModuleFileName(HMODULE module = nullptr);

}  // namespace palvetta
