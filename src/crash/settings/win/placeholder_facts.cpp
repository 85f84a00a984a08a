#include "crash/settings/win/placeholder_facts.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "crash/text/number_text.h"

namespace palvetta {
namespace {

std::u16string FromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

std::u16string FileName(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return FromWide(buffer.data());
    buffer.resize(buffer.size() * 2);
  }
}

// "1.2.3.4" from the fixed version block; else the FileVersion text of the first
// translation; else empty.
std::u16string VersionOfFile(const std::u16string& file) {
  const auto* path = reinterpret_cast<const wchar_t*>(file.c_str());
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return {};
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(path, 0, size, info.data())) return {};
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
      (fixed->dwFileVersionMS | fixed->dwFileVersionLS) != 0) {
    const uint32_t parts[] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    std::u16string text;
    for (uint32_t part : parts) text += (text.empty() ? u"" : u".") + CardToDecPadW(part);
    return text;
  }
  WORD* translation = nullptr;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD)) {
    return {};
  }
  // Language and code page as eight hexadecimal digits (the number texts start with "$").
  const std::u16string key = u"\\StringFileInfo\\" + CardToHexPadW(translation[0], 4).substr(1) +
                             CardToHexPadW(translation[1], 4).substr(1) + u"\\FileVersion";
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), reinterpret_cast<const wchar_t*>(key.c_str()), reinterpret_cast<void**>(&value),
                      &length)) {
    return {};
  }
  return FromWide(value);
}

class TWinPlaceholderFacts final : public IPlaceholderFacts {
 public:
  uintptr_t ExecutableModule() override { return reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)); }

  std::u16string ModuleFileName(uintptr_t module) override { return FileName(reinterpret_cast<HMODULE>(module)); }

  std::u16string FileVersionText(uintptr_t module) override { return VersionOfFile(ModuleFileName(module)); }

  TLocalDateTime LocalNow() override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
  }

  std::u16string ComputerName() override {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &length) ? FromWide(name) : std::u16string();
  }

  // "Windows" and the version numbers the system reports of itself.
  std::u16string OsDescription() override {
    using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    const auto rtlGetVersion =
        reinterpret_cast<TRtlGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) return u"Windows";
    return u"Windows " + CardToDecPadW(version.dwMajorVersion) + u"." + CardToDecPadW(version.dwMinorVersion) +
           u" build " + CardToDecPadW(version.dwBuildNumber);
  }

  std::u16string SpecialFolder(TPlaceholderFolder folder) override {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::u16string text = FromWide(path);
    if (!text.empty() && text.back() == u'\\') text.pop_back();
    return text;
  }
};

}  // namespace

IPlaceholderFacts& WindowsPlaceholderFacts() {
  static TWinPlaceholderFacts* facts = new TWinPlaceholderFacts;  // lives until the process ends
  return *facts;
}

}  // namespace palvetta
