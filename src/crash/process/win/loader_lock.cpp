#include "crash/process/win/loader_lock.h"

#include <winternl.h>

#include <cstdint>

namespace palvetta {
namespace {

// x64 process environment block.
constexpr size_t kFastPebLock = 0x38;
constexpr size_t kLoaderLock = 0x110;
constexpr DWORD kPollMs = 10;

bool gUnloading = false;

// Newer systems keep "free" in bit 0 of the lock count; older ones count waiters from
// -1 (free). Entering a fresh critical section tells which.
bool NewLockCountLayout() {
  static const bool layout = [] {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    const bool isNew = section.LockCount != 0;
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
    return isNew;
  }();
  return layout;
}

bool IsHeld(const CRITICAL_SECTION* section) {
  if (!section) return false;
  const LONG count = *static_cast<const volatile LONG*>(&section->LockCount);
  return NewLockCountLayout() ? (count & 1) == 0 : count >= 0;
}

const CRITICAL_SECTION* PebLock(size_t offset) {
  const auto* peb = reinterpret_cast<const uint8_t*>(NtCurrentTeb()->ProcessEnvironmentBlock);
  return peb ? *reinterpret_cast<const CRITICAL_SECTION* const*>(peb + offset) : nullptr;
}

bool LoaderLocksHeld() { return IsHeld(PebLock(kLoaderLock)) || IsHeld(PebLock(kFastPebLock)); }

}  // namespace

bool LoaderLockBusy(DWORD timeoutMs) {
  if (gUnloading) return true;
  const DWORD start = GetTickCount();
  bool busy = LoaderLocksHeld();
  while (busy && GetTickCount() - start < timeoutMs) {
    Sleep(kPollMs);
    busy = LoaderLocksHeld();
  }
  return busy;
}

void SetOwnModuleUnloading(bool unloading) { gUnloading = unloading; }

}  // namespace palvetta
