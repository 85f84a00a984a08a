#include "crash/disasm/win/safe_memory.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace palvetta {
namespace {

constexpr DWORD kAnyAccess = 0x7E;     // every protection that allows some access
constexpr DWORD kReadAccess = 0x6E;    // the ones that allow reading
constexpr DWORD kGuard = PAGE_GUARD;

uint8_t FlagOf(const MEMORY_BASIC_INFORMATION& info) noexcept {
  if (info.State != MEM_COMMIT || !(info.Protect & kAnyAccess) || (info.Protect & kGuard)) return rfNotReadable;
  return (info.Protect & kReadAccess) ? rfReadable : rfExecuteOnly;
}

// Copying an execute-only range as it is works on systems that let the kernel read it;
// after the first failure the range is made readable for the copy instead.
std::atomic<bool> gCopyExecuteOnlyDirectly{true};

bool CopyFaultFree(uintptr_t address, void* buffer, size_t count) noexcept {
  SIZE_T copied = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(address), buffer, count, &copied) &&
         copied == count;
}

bool CopyExecuteOnly(uintptr_t address, void* buffer, size_t count) noexcept {
  if (gCopyExecuteOnlyDirectly.load() && CopyFaultFree(address, buffer, count)) return true;
  gCopyExecuteOnlyDirectly = false;
  DWORD old = 0;
  void* range = reinterpret_cast<void*>(address);
  if (!VirtualProtect(range, count, PAGE_EXECUTE_READ, &old)) return false;
  const bool copied = CopyFaultFree(address, buffer, count);
  DWORD ignored = 0;
  VirtualProtect(range, count, old, &ignored);
  return copied;
}

// The flag of [address, address + count), from the snapshot or the system: the lowest
// flag of the regions it spans.
uint8_t RangeFlag(uintptr_t address, size_t count, const TDATryRead* snapshot) noexcept {
  const uintptr_t end = address + count;
  if (end < address) return rfNotReadable;
  uint8_t flag = rfReadable;
  for (uintptr_t at = address; at < end;) {
    uintptr_t regionEnd = 0;
    uint8_t regionFlag = rfNotReadable;
    if (snapshot) {
      const auto found = std::upper_bound(snapshot->begin(), snapshot->end(), at,
                                          [](uintptr_t value, const TTryRead& area) { return value < area.areaEnd; });
      if (found == snapshot->end() || found->areaBegin > at) return rfNotReadable;
      regionEnd = found->areaEnd;
      regionFlag = found->flags;
    } else {
      MEMORY_BASIC_INFORMATION info;
      if (VirtualQuery(reinterpret_cast<LPCVOID>(at), &info, sizeof info) != sizeof info) return rfNotReadable;
      regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
      regionFlag = FlagOf(info);
    }
    flag = std::min(flag, regionFlag);
    if (flag == rfNotReadable || regionEnd <= at) return rfNotReadable;
    at = regionEnd;
  }
  return flag;
}

}  // namespace

TDATryRead SnapshotReadableAreas() {
  TDATryRead areas;
  areas.reserve(64);
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const uintptr_t top = reinterpret_cast<uintptr_t>(system.lpMaximumApplicationAddress);
  for (uintptr_t address = 0; address < top;) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(reinterpret_cast<LPCVOID>(address), &info, sizeof info) != sizeof info) break;
    const uintptr_t end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (end <= address) break;
    const uint8_t flag = FlagOf(info);
    if (!areas.empty() && areas.back().flags == flag && areas.back().areaEnd == address) {
      areas.back().areaEnd = end;
    } else {
      if (areas.size() == areas.capacity()) areas.reserve(areas.capacity() + areas.capacity() / 2);
      areas.push_back({address, end, flag});
    }
    address = end;
  }
  return areas;
}

void FreeSnapshot(TDATryRead& snapshot) { TDATryRead().swap(snapshot); }

bool SafeReadMemory(uintptr_t address, void* buffer, size_t count, const TDATryRead* snapshot) noexcept {
  if (count == 0) return true;
  switch (RangeFlag(address, count, snapshot)) {
    case rfReadable: return CopyFaultFree(address, buffer, count);
    case rfExecuteOnly: return CopyExecuteOnly(address, buffer, count);
    default: return false;
  }
}

}  // namespace palvetta
