#include "crash/process/win/process_facts.h"

#include <memory>

#include "base/path_text.h"
#include "crash/process/thread_list.h"
#include "pe/win/loaded_image.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

HMODULE gOwnModule = nullptr;

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
constexpr ULONG kFirstBufferSize = 128 * 1024;
constexpr ULONG kLastBufferSize = 4 * 1024 * 1024;
constexpr DWORD kLongPathChars = 32768;

using TNtQuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

TNtQuerySystemInformation QueryRoutine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll ? reinterpret_cast<TNtQuerySystemInformation>(
                     reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")))
               : nullptr;
}

}  // namespace

void InitOwnModule(HMODULE module) {
  if (!module) {
    if (const auto found = FindModuleOfAddress(reinterpret_cast<const void*>(&InitOwnModule))) module = found->Module;
  }
  gOwnModule = module;
}

HMODULE OwnModule() {
  if (!gOwnModule) InitOwnModule();
  return gOwnModule;
}

TDACardinal EnumProcessThreads() {
  const auto query = QueryRoutine();
  if (!query) return {};
  ULONG needed = 0;
  const LONG probe = query(kSystemProcessInformation, nullptr, 0, &needed);
  // The list grows between two calls: twice the size asked for leaves room for that.
  ULONG size = (probe == kStatusInfoLengthMismatch && needed > 0) ? needed * 2 : kFirstBufferSize;
  while (true) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
    if (!buffer) return {};
    ULONG returned = 0;
    const LONG status = query(kSystemProcessInformation, buffer.get(), size, &returned);
    if (status >= 0) {
      return ThreadIdsOfProcess(buffer.get(), returned ? returned : size, GetCurrentProcessId());
    }
    if (status != kStatusInfoLengthMismatch || size >= kLastBufferSize) return {};
    size *= 2;
  }
}

TScopedKernelHandle OpenThreadById(DWORD threadId, DWORD access) {
  return TScopedKernelHandle(OpenThread(access, TRUE, threadId));
}

TDAModule ListLoadedModules() {
  TDAModule modules;
  modules.reserve(16);
  const void* previousBase = nullptr;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* address = static_cast<const uint8_t*>(nullptr);
       VirtualQuery(address, &region, sizeof region) == sizeof region;) {
    const bool counts = region.State == MEM_COMMIT && region.Protect != PAGE_NOACCESS &&
                        region.AllocationBase != previousBase && region.AllocationBase == region.BaseAddress;
    if (region.State == MEM_COMMIT) previousBase = region.AllocationBase;
    if (counts) {
      const auto module = static_cast<HMODULE>(region.AllocationBase);
      const std::u16string path = ModuleFileName(module);
      if (!path.empty() && module != nullptr) modules.push_back({module, PathFileName(path)});
    }
    const auto next = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return modules;
}

std::u16string ModuleFileName(HMODULE module) {
  std::u16string path(kLongPathChars, u'\0');
  const DWORD length = GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(path.data()), kLongPathChars);
  if (length == 0 || length >= kLongPathChars) return {};
  path.resize(length);
  return path;
}

}  // namespace palvetta
