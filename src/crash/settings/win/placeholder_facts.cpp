#include "crash/settings/win/placeholder_facts.h"

#include <windows.h>

#include "crash/process/win/folders.h"
#include "crash/process/win/process_facts.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

HMODULE AsModule(uintptr_t module) { return reinterpret_cast<HMODULE>(module); }

class TWinPlaceholderFacts final : public IPlaceholderFacts {
 public:
  uintptr_t ExecutableModule() override { return reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)); }
  std::u16string ModuleFileName(uintptr_t module) override { return palvetta::ModuleFileName(AsModule(module)); }
  std::u16string FileVersionText(uintptr_t module) override { return GetFileVersionText(ModuleFileName(module)); }
  TLocalDateTime LocalNow() override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
  }
  std::u16string ComputerName() override { return GetComputerNameStr(); }
  std::u16string OsDescription() override { return GetOsInfo().description; }
  std::u16string SpecialFolder(TPlaceholderFolder folder) override { return SpecialFolderPath(folder, false); }
};

}  // namespace

IPlaceholderFacts& WindowsPlaceholderFacts() {
  static TWinPlaceholderFacts* facts = new TWinPlaceholderFacts;  // lives until the process ends
  return *facts;
}

}  // namespace palvetta
