#pragma once
// Facts of the running system: its version, a file's version text, short and long path
// names, whether memory is readable, and tick-count differences.

#include <windows.h>

#include <cstdint>
#include <string>

#include "system/os_info.h"

namespace palvetta {

// The running system, computed once per process and handed out as a copy.
TOS GetOsInfo();

// The file's version: "a.b.c.d" from its fixed version block when that is not 0, else the
// "FileVersion" string of its first translation unchanged; empty when it has neither.
// version.dll is delay-loaded: the first call loads it under the loader lock, so the
// crash reporter makes that call when it is installed, never first on a crash path.
std::u16string GetFileVersionText(const std::u16string& fileName);

// The path with each component that exists replaced by its short (8.3) name, where the
// file system has one; components with wildcards and the root stay as written.
std::u16string ToShortPathW(std::u16string_view path);
// The path with each component that contains "~" and exists replaced by its long name.
std::u16string ToLongPathW(std::u16string_view path);

// True unless the whole range lies in one committed, readable region (read-only,
// read-write, write-copy or one of their executable forms; never a guard page). The
// caching modifiers do not make memory unreadable.
bool IsBadMemoryRange(const void* address, size_t count) noexcept;

// Milliseconds since an earlier GetTickCount value, across a wrap of the counter too.
uint32_t TicksSince(uint32_t earlier) noexcept;

// A UTF-16 text of ours as the wide text the W functions take, and back.
inline const wchar_t* WidePtr(const std::u16string& text) noexcept {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

}  // namespace palvetta
