#include "base/win/program.h"

#include <windows.h>

#include <vector>

namespace palvetta {

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string GetAppVersion(bool withBuild) {
  const std::wstring programPath = ProgramPath();
  if (programPath.empty()) return "1.0";
  const wchar_t* path = programPath.c_str();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return "1.0";
  std::vector<unsigned char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!GetFileVersionInfoW(path, 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
      info == nullptr || infoSize < sizeof(VS_FIXEDFILEINFO)) {
    return "1.0";
  }
  std::string version = std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
                        std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
                        std::to_string(HIWORD(info->dwFileVersionLS));
  if (withBuild) version += "." + std::to_string(LOWORD(info->dwFileVersionLS));
  return version;
}

}  // namespace palvetta
