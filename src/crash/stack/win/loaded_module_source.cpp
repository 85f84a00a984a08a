#include "crash/stack/win/loaded_module_source.h"

#include <windows.h>

#include "base/path_text.h"
#include "base/utf.h"
#include "crash/symbols/pe_resources.h"
#include "crash/symbols/win/map_cache.h"
#include "pe/win/loaded_image.h"

namespace palvetta {
namespace {

HMODULE AsModule(uint64_t base) { return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(base)); }

uint64_t OwnModuleBase() {
  HMODULE own = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&OwnModuleBase), &own);
  return reinterpret_cast<uint64_t>(own);
}

// The highest export, or the entry point, at or below the RVA; 0 when none.
uint32_t HighestExportBelow(const TPeImage& image, uint32_t rva) {
  uint32_t best = EntryPointRva(image) <= rva ? EntryPointRva(image) : 0;
  const std::optional<TExportDirectory> exports = ReadExportDirectory(image);
  if (!exports) return best;
  for (uint32_t i = 0; i < exports->NumberOfFunctions; ++i) {
    const uint32_t start = ExportFunctionRva(image, *exports, i);
    if (start != 0 && start <= rva && start > best && !IsForwarderRva(*exports, start)) best = start;
  }
  return best;
}

}  // namespace

bool TLoadedModuleSource::AllocationBase(uint64_t address, uint64_t& base) const {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info ||
      info.State != MEM_COMMIT || info.AllocationBase == nullptr)
    return false;
  base = reinterpret_cast<uint64_t>(info.AllocationBase);
  return true;
}

bool TLoadedModuleSource::DescribeModule(uint64_t base, TCachedModule& module) const {
  const std::optional<TPeImage> image = LoadedImage(AsModule(base));
  if (!image) return false;
  const TCodeRanges ranges = CodeRangesOf(*image, static_cast<uintptr_t>(base));
  module.handle = base;
  module.codeBegin = ranges.BaseOfCode;
  module.codeEnd = ranges.TopOfCode;
  module.dataBegin = ranges.BaseOfData;
  module.dataEnd = ranges.TopOfData;
  std::u16string path;
  if (const std::optional<TModuleOfAddress> found = FindModuleOfAddress(reinterpret_cast<const void*>(base)))
    path = found->FileName;
  module.name = path.empty() ? "???" : Utf16ToUtf8(PathFileName(path));
  module.own = base == OwnModuleBase();
  // The file header's time stamp and the image size tell two builds apart.
  const uint32_t timeStamp = image->U32At(image->NtHeadersOffset() + 8).value_or(0);
  module.stamp = (uint64_t{image->SizeOfImage()} << 32 | timeStamp) ^ std::hash<std::u16string>()(path);
  return true;
}

std::shared_ptr<const TMapFile> TLoadedModuleSource::MapOf(const TCachedModule& module) const {
  std::shared_ptr<const TMapFile> map = MapFileForAddress(reinterpret_cast<const void*>(module.handle));
  return map && map->Valid() ? map : nullptr;
}

uint64_t TLoadedModuleSource::FunctionStartBelow(const TCachedModule& module, uint64_t address) const {
  DWORD64 imageBase = 0;
  if (const PRUNTIME_FUNCTION entry = RtlLookupFunctionEntry(address, &imageBase, nullptr))
    return imageBase + entry->BeginAddress;
  const std::optional<TPeImage> image = LoadedImage(AsModule(module.handle));
  if (!image || address < module.handle || address - module.handle > image->SizeOfImage()) return 0;
  const uint32_t rva = HighestExportBelow(*image, static_cast<uint32_t>(address - module.handle));
  return rva == 0 ? 0 : module.handle + rva;
}

std::string TLoadedModuleSource::ExportName(const TCachedModule& module, uint64_t address) const {
  return ExportNameOfAddress(AsModule(module.handle), reinterpret_cast<const void*>(address), true);
}

}  // namespace palvetta
