#include "crash/disasm/win/loaded_modules.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "crash/disasm/win/safe_memory.h"
#include "crash/text/win/error_code_text.h"

namespace palvetta {
namespace {

// A module's headers as loaded, read fault-free.
struct TModuleImage {
  uintptr_t Base = 0;
  uint32_t Size = 0;
  uint32_t ExportRva = 0;
  uint32_t ExportSize = 0;

  bool Load(uintptr_t address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(address), &module)) {
      return false;
    }
    Base = reinterpret_cast<uintptr_t>(module);
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    if (!SafeReadMemory(Base, &dos, sizeof dos, nullptr) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !SafeReadMemory(Base + static_cast<uintptr_t>(dos.e_lfanew), &nt, sizeof nt, nullptr) ||
        nt.Signature != IMAGE_NT_SIGNATURE) {
      return false;
    }
    Size = nt.OptionalHeader.SizeOfImage;
    const IMAGE_DATA_DIRECTORY& exports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ExportRva = exports.VirtualAddress;
    ExportSize = exports.Size;
    return true;
  }

  bool Get(uint32_t rva, void* out, size_t count) const {
    return rva < Size && count <= Size - rva && SafeReadMemory(Base + rva, out, count, nullptr);
  }

  // The export table is copied in one read and searched in the copy: one fault-free read
  // per entry costs a system call each, and system modules export thousands of names.
  std::string ExportName(uintptr_t address) const {
    constexpr uint32_t kLargestTable = 16u << 20;
    if (ExportRva == 0 || ExportSize < sizeof(IMAGE_EXPORT_DIRECTORY) || ExportSize > kLargestTable) return {};
    std::vector<uint8_t> table(ExportSize);
    if (!Get(ExportRva, table.data(), table.size())) return {};
    // count bytes at an RVA inside the copy; nullptr outside it.
    const auto at = [&](uint32_t rva, size_t count) -> const uint8_t* {
      if (rva < ExportRva || rva - ExportRva > ExportSize || ExportSize - (rva - ExportRva) < count) return nullptr;
      return table.data() + (rva - ExportRva);
    };
    IMAGE_EXPORT_DIRECTORY directory;
    std::memcpy(&directory, table.data(), sizeof directory);
    const uint8_t* ordinals = at(directory.AddressOfNameOrdinals, size_t{directory.NumberOfNames} * 2);
    const uint8_t* names = at(directory.AddressOfNames, size_t{directory.NumberOfNames} * 4);
    const uint8_t* functions = at(directory.AddressOfFunctions, size_t{directory.NumberOfFunctions} * 4);
    if (ordinals == nullptr || names == nullptr || functions == nullptr) return {};
    const uint32_t wanted = static_cast<uint32_t>(address - Base);
    for (DWORD i = 0; i < directory.NumberOfNames; ++i) {
      WORD ordinal = 0;
      DWORD nameRva = 0, functionRva = 0;
      std::memcpy(&ordinal, ordinals + i * 2, sizeof ordinal);
      if (ordinal >= directory.NumberOfFunctions) continue;
      std::memcpy(&functionRva, functions + ordinal * 4u, sizeof functionRva);
      if (functionRva != wanted) continue;
      std::memcpy(&nameRva, names + i * 4, sizeof nameRva);
      std::string name;
      for (const uint8_t* c = at(nameRva, 1); c != nullptr && *c != 0 && name.size() < 256;
           c = at(nameRva + static_cast<uint32_t>(name.size()), 1))
        name += static_cast<char>(*c);
      return name;
    }
    return {};
  }

  std::string FileName() const {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(reinterpret_cast<HMODULE>(Base), path, MAX_PATH);
    std::string name;
    for (DWORD i = length; i > 0 && path[i - 1] != L'\\' && path[i - 1] != L'/'; --i) {
      name.insert(name.begin(), path[i - 1] < 128 ? static_cast<char>(path[i - 1]) : '?');
    }
    return name;
  }
};

uintptr_t OwnModule() {
  TModuleImage own;
  return own.Load(reinterpret_cast<uintptr_t>(&OwnModule)) ? own.Base : 0;
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
  TModuleImage module;
  if (module.Load(static_cast<uintptr_t>(address))) {
    begin = module.Base;
    end = module.Base + module.Size;
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
  TModuleImage module;
  return module.Load(static_cast<uintptr_t>(address)) && !module.ExportName(static_cast<uintptr_t>(address)).empty();
}

std::string TLoadedModules::FunctionName(uint64_t address) const {
  TModuleImage module;
  if (!module.Load(static_cast<uintptr_t>(address))) return {};
  std::string name = module.ExportName(static_cast<uintptr_t>(address));
  if (!name.empty() && module.Base != OwnModule() && name.find('(') == std::string::npos) {
    name += " (" + module.FileName() + ")";
  }
  return name;
}

bool TLoadedModules::InModuleImage(uint64_t address) const {
  TModuleImage module;
  return module.Load(static_cast<uintptr_t>(address)) && address + 100 <= module.Base + module.Size;
}

}  // namespace palvetta
