#pragma once
// The system module the tests read names, exports and versions from, and its file.

#include <windows.h>

#include <string>

#include "system/win/system_info.h"

namespace palvetta {

inline HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

inline std::u16string ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(module, path, MAX_PATH);
  return FromWide(path);
}

}  // namespace palvetta
