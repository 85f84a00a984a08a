#include "support/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace palvetta::e2e {

namespace fs = std::filesystem;

TTempFolder::TTempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no temp folder");
  FPath = fs::path(temp) / (L"palvetta-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++));
  fs::create_directories(FPath);
}

TTempFolder::~TTempFolder() {
  std::error_code ignored;
  fs::remove_all(FPath, ignored);
}

fs::path TTempFolder::Folder(const std::wstring& name) const {
  fs::create_directories(FPath / name);
  return FPath / name;
}

}  // namespace palvetta::e2e
