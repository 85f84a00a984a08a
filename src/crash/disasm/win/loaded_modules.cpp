#include "crash/disasm/win/loaded_modules.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "base/win/error_code_text.h"
#include "pe/win/loaded_image.h"

namespace palvetta {
namespace {

// The loaded module holding the address, with its headers read by the image readers.
struct TModuleImage {
  HMODULE Module = nullptr;
  uintptr_t Base = 0;
  uint32_t Size = 0;
};

std::optional<TModuleImage> ModuleHolding(uint64_t address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(address)), &module))
    return std::nullopt;
  const std::optional<TPeImage> image = LoadedImage(module);
  if (!image) return std::nullopt;
  return TModuleImage{module, reinterpret_cast<uintptr_t>(module), image->SizeOfImage()};
}

// The name of the export at exactly the address; "" for none and for one without a name.
std::string NamedExportAt(const TModuleImage& module, uint64_t address) {
  std::string name = ExportNameOfAddress(module.Module, reinterpret_cast<const void*>(address), false);
  return name.starts_with('#') ? std::string() : name;
}

std::string FileNameOf(const TModuleImage& module) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(module.Module, path, MAX_PATH);
  std::string name;
  for (DWORD i = length; i > 0 && path[i - 1] != L'\\' && path[i - 1] != L'/'; --i) {
    name.insert(name.begin(), path[i - 1] < 128 ? static_cast<char>(path[i - 1]) : '?');
  }
  return name;
}

uintptr_t OwnModule() {
  const std::optional<TModuleImage> own = ModuleHolding(reinterpret_cast<uintptr_t>(&OwnModule));
  return own ? own->Base : 0;
}

}  // namespace

TLoadedModules::TLoadedModules(std::vector<uint64_t> noReturn) : FNoReturn(std::move(noReturn)) {
  if (HMODULE msvcrt = GetModuleHandleW(L"msvcrt.dll")) {
    if (FARPROC thrower = GetProcAddress(msvcrt, "_CxxThrowException")) {
      FNoReturn.push_back(reinterpret_cast<uintptr_t>(thrower));
    }
  }
}

bool TLoadedModules::IsCommitted(uint64_t address) const {
  MEMORY_BASIC_INFORMATION info;
  return VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), &info, sizeof info) == sizeof info &&
         info.State == MEM_COMMIT;
}

bool TLoadedModules::AllowedRange(uint64_t address, uint64_t& begin, uint64_t& end) const {
  if (const std::optional<TModuleImage> module = ModuleHolding(address)) {
    begin = module->Base;
    end = module->Base + module->Size;
    return true;
  }
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), &info, sizeof info) != sizeof info) {
    return false;
  }
  begin = reinterpret_cast<uintptr_t>(info.BaseAddress);
  end = begin + info.RegionSize;
  return true;
}

bool TLoadedModules::FunctionExtent(uint64_t address, uint64_t& begin, uint64_t& end) const {
  DWORD64 base = 0;
  const RUNTIME_FUNCTION* function = RtlLookupFunctionEntry(address, &base, nullptr);
  if (!function) return false;
  begin = base + function->BeginAddress;
  end = base + function->EndAddress;
  return true;
}

bool TLoadedModules::IsNoReturn(uint64_t target) const {
  return std::find(FNoReturn.begin(), FNoReturn.end(), target) != FNoReturn.end();
}

std::string TLoadedModules::ErrorText(uint32_t code) const { return ErrorCodeTextA(code); }

bool TLoadedModules::HasPublicName(uint64_t address) const {
  const std::optional<TModuleImage> module = ModuleHolding(address);
  return module && !NamedExportAt(*module, address).empty();
}

std::string TLoadedModules::FunctionName(uint64_t address) const {
  const std::optional<TModuleImage> module = ModuleHolding(address);
  if (!module) return {};
  std::string name = NamedExportAt(*module, address);
  if (!name.empty() && module->Base != OwnModule() && name.find('(') == std::string::npos) {
    name += " (" + FileNameOf(*module) + ")";
  }
  return name;
}

bool TLoadedModules::InModuleImage(uint64_t address) const {
  const std::optional<TModuleImage> module = ModuleHolding(address);
  return module && address + 100 <= module->Base + module->Size;
}

}  // namespace palvetta
