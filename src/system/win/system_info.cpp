#include "system/win/system_info.h"

#include <vector>

#include "system/path_rules.h"
#include "system/tick_count.h"
#include "system/version_text.h"

namespace palvetta {
namespace {

// The system's record: RtlGetVersion tells the truth whatever the program's manifest
// says; GetVersionExW is the fallback, with the extended record first.
bool ReadVersionRecord(OSVERSIONINFOEXW& record, bool& extended) {
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  record = {};
  record.dwOSVersionInfoSize = sizeof record;
  extended = true;
  if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    const auto rtlGetVersion =
        reinterpret_cast<TRtlGetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (rtlGetVersion && rtlGetVersion(&record) == 0) return true;
  }
  if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&record))) return true;
  record.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
  extended = false;
  return GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&record)) != FALSE;
}

TOS ComputeOsInfo() {
  OSVERSIONINFOEXW record;
  bool extended = false;
  if (!ReadVersionRecord(record, extended)) return MakeOsInfo({});
  TOsVersionFacts facts;
  facts.Family9x = record.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  facts.Major = record.dwMajorVersion;
  facts.Minor = record.dwMinorVersion;
  facts.Build = record.dwBuildNumber;
  facts.ServicePackText = FromWide(record.szCSDVersion);
  facts.Extended = extended;
  if (extended) {
    facts.ServicePackMajor = record.wServicePackMajor;
    facts.Workstation = record.wProductType == VER_NT_WORKSTATION;
  }
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  facts.NativeAmd64 = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
  facts.ServerR2Metric = GetSystemMetrics(SM_SERVERR2) != 0;
  facts.StarterMetric = GetSystemMetrics(SM_STARTER) != 0;
  facts.MediaCenterMetric = GetSystemMetrics(SM_MEDIACENTER) != 0;
  return MakeOsInfo(facts);
}

std::optional<std::u16string> QueryVersionString(const std::vector<uint8_t>& block, const std::u16string& path) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), WidePtr(path), &value, &length) || !value || length == 0) return std::nullopt;
  return FromWide(static_cast<const wchar_t*>(value));
}

std::u16string DropTrailingBackslash(std::u16string_view path) {
  if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  return std::u16string(path);
}

std::optional<WIN32_FIND_DATAW> FindFile(const std::u16string& path) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(WidePtr(path), &data);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(find);
  return data;
}

}  // namespace

TOS GetOsInfo() {
  static const TOS os = ComputeOsInfo();
  return os;
}

std::u16string GetFileVersionText(const std::u16string& fileName) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(WidePtr(fileName), &ignored);
  if (size == 0) return {};
  std::vector<uint8_t> block(size);
  if (!GetFileVersionInfoW(WidePtr(fileName), 0, size, block.data())) return {};

  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwFileVersionMS != 0 || fixed->dwFileVersionLS != 0) {
      return FileVersionNumberText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    }
  }
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) return {};
  const auto* translation = static_cast<const WORD*>(value);
  const std::u16string path =
      u"\\StringFileInfo\\" + TranslationKey(translation[0], translation[1]) + u"\\FileVersion";
  return QueryVersionString(block, path).value_or(std::u16string());
}

std::u16string ToShortPathW(std::u16string_view path) {
  return DropTrailingBackslash(RewritePathComponents(
      DropTrailingBackslash(path), HasNoWildcard, [](const std::u16string& upTo) -> std::optional<std::u16string> {
        const auto found = FindFile(upTo);
        if (!found) return std::nullopt;
        return FromWide(found->cAlternateFileName[0] ? found->cAlternateFileName : found->cFileName);
      }));
}

std::u16string ToLongPathW(std::u16string_view path) {
  return DropTrailingBackslash(RewritePathComponents(
      DropTrailingBackslash(path), HasTilde, [](const std::u16string& upTo) -> std::optional<std::u16string> {
        const auto found = FindFile(upTo);
        if (!found) return std::nullopt;
        return FromWide(found->cFileName);
      }));
}

bool IsBadMemoryRange(const void* address, size_t count) noexcept {
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(address, &region, sizeof region) == 0) return true;
  if (region.State != MEM_COMMIT || (region.Protect & PAGE_GUARD) != 0) return true;
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  const DWORD protection = region.Protect & ~static_cast<DWORD>(PAGE_NOCACHE | PAGE_WRITECOMBINE);
  if ((protection & kReadable) == 0) return true;
  const auto start = reinterpret_cast<uintptr_t>(address);
  const uintptr_t end = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  return count > end - start;
}

uint32_t TicksSince(uint32_t earlier) noexcept { return TickDifference(earlier, GetTickCount()); }

}  // namespace palvetta
