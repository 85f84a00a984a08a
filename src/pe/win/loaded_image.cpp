#include "pe/win/loaded_image.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "base/win/kernel_handles.h"
#include "system/demangle.h"
#include "system/win/system_info.h"

namespace palvetta {
namespace {

constexpr size_t kDosHeaderSize = 0x40;
// Signature, file header and the larger (PE32+) optional header.
constexpr size_t kNtHeadersSize = 4 + 20 + 240;
// The headers lie in the image's first page or so; an offset far beyond is damage.
constexpr uint32_t kMaxNtHeadersOffset = 0x100000;
// Forwarders may lead from module to module; a chain longer than this is a loop.
constexpr int kMaxForwarderDepth = 8;
constexpr DWORD kLongPathChars = 32768;

const uint8_t* Base(HMODULE module) noexcept { return reinterpret_cast<const uint8_t*>(module); }

void* ResolveForwarder(HMODULE module, uint32_t rva, int depth) noexcept;

// The RVA of the index-th export as the module's file has it, when the file's export
// table is the one loaded.
std::optional<uint32_t> ExportRvaFromFile(HMODULE module, const TPeImage& loaded, const TExportDirectory& exports,
                                          uint32_t index) noexcept {
  const TMappedFile file = MapModuleFile(module);
  if (!file) return std::nullopt;
  const auto image = TPeImage::Open(file.View(), file.Size(), TPeLayout::plFile);
  if (!image || image->SizeOfImage() != loaded.SizeOfImage()) return std::nullopt;
  const auto fileExports = ReadExportDirectory(*image);
  if (!fileExports || fileExports->AddressOfNames != exports.AddressOfNames ||
      fileExports->AddressOfFunctions != exports.AddressOfFunctions || fileExports->Range.Size != exports.Range.Size) {
    return std::nullopt;
  }
  const uint32_t rva = ExportFunctionRva(*image, *fileExports, index);
  return rva ? std::optional<uint32_t>(rva) : std::nullopt;
}

void* ProcAddressByName(HMODULE module, const char* name, bool alwaysCheckFile, int depth) noexcept {
  void* found = nullptr;
  const auto image = LoadedImage(module);
  const auto exports = image ? ReadExportDirectory(*image) : std::nullopt;
  if (exports) {
    if (const auto index = ExportIndexByName(*image, *exports, name)) {
      uint32_t rva = ExportFunctionRva(*image, *exports, *index);
      if (alwaysCheckFile || rva >= image->SizeOfImage()) {
        if (const auto fileRva = ExportRvaFromFile(module, *image, *exports, *index)) rva = *fileRva;
      }
      if (rva != 0) found = ResolveForwarder(module, rva, depth);
    }
  }
  return found ? found : reinterpret_cast<void*>(GetProcAddress(module, name));
}

void* ProcAddressByOrdinal(HMODULE module, uint32_t ordinal, int depth) noexcept {
  const auto image = LoadedImage(module);
  const auto exports = image ? ReadExportDirectory(*image) : std::nullopt;
  if (exports) {
    if (const uint32_t rva = ExportRvaByOrdinal(*image, *exports, ordinal)) return ResolveForwarder(module, rva, depth);
  }
  if (ordinal > 0xFFFF) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

void* ResolveForwarder(HMODULE module, uint32_t rva, int depth) noexcept {
  const auto image = LoadedImage(module);
  const auto exports = image ? ReadExportDirectory(*image) : std::nullopt;
  if (!exports || !IsForwarderRva(*exports, rva)) {
    return image && rva < image->SizeOfImage() ? const_cast<uint8_t*>(Base(module) + rva) : nullptr;
  }
  if (depth >= kMaxForwarderDepth) return nullptr;
  const auto forwarder = ReadForwarder(*image, *exports, rva);
  if (!forwarder) return nullptr;
  char moduleName[MAX_PATH];
  char functionName[512];
  if (forwarder->Module.size() >= sizeof moduleName || forwarder->Function.size() >= sizeof functionName) return nullptr;
  forwarder->Module.copy(moduleName, forwarder->Module.size());
  moduleName[forwarder->Module.size()] = '\0';
  forwarder->Function.copy(functionName, forwarder->Function.size());
  functionName[forwarder->Function.size()] = '\0';

  const HMODULE target = GetModuleHandleA(moduleName);
  if (!target || target == module) return nullptr;
  if (functionName[0] == '#') {
    uint32_t ordinal = 0;
    for (const char* c = functionName + 1; *c >= '0' && *c <= '9'; ++c) ordinal = ordinal * 10 + (*c - '0');
    return ProcAddressByOrdinal(target, ordinal, depth + 1);
  }
  return ProcAddressByName(target, functionName, false, depth + 1);
}

}  // namespace

std::optional<TPeImage> LoadedImage(HMODULE module) noexcept {
  if (!module || IsBadMemoryRange(module, kDosHeaderSize)) return std::nullopt;
  if (Base(module)[0] != 'M' || Base(module)[1] != 'Z') return std::nullopt;
  uint32_t ntHeaders = 0;
  std::memcpy(&ntHeaders, Base(module) + 0x3C, sizeof ntHeaders);
  if (ntHeaders > kMaxNtHeadersOffset || IsBadMemoryRange(Base(module) + ntHeaders, kNtHeadersSize)) {
    return std::nullopt;
  }
  const auto headers = TPeImage::Open(Base(module), size_t{ntHeaders} + kNtHeadersSize, TPeLayout::plLoaded);
  if (!headers) return std::nullopt;
  return TPeImage::Open(Base(module), headers->SizeOfImage(), TPeLayout::plLoaded);
}

const void* ImageDataDirectory(HMODULE module, unsigned index) noexcept {
  const auto image = LoadedImage(module);
  if (!image) return nullptr;
  const TDataDirectory directory = image->Directory(index);
  return directory.Rva ? image->At(directory.Rva, 0) : nullptr;
}

TMappedFile MapModuleFile(HMODULE module) noexcept {
  const std::unique_ptr<wchar_t[]> path(new (std::nothrow) wchar_t[kLongPathChars]);
  if (!path) return {};
  const DWORD length = GetModuleFileNameW(module, path.get(), kLongPathChars);
  if (length == 0 || length >= kLongPathChars) return {};
  TScopedKernelHandle file(CreateFileW(path.get(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0) return {};
  TScopedKernelHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return {};
  const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
  if (!view) return {};
  return TMappedFile(static_cast<const uint8_t*>(view), static_cast<size_t>(size.QuadPart));
}

void* ImageProcAddress(HMODULE module, const char* name, bool alwaysCheckFile) noexcept {
  return ProcAddressByName(module, name, alwaysCheckFile, 0);
}

void* ImageProcAddressByOrdinal(HMODULE module, uint32_t ordinal) noexcept {
  return ProcAddressByOrdinal(module, ordinal, 0);
}

void* ResolveExportForwarder(HMODULE module, uint32_t rva) noexcept { return ResolveForwarder(module, rva, 0); }

std::string ExportNameOfAddress(HMODULE module, const void* address, bool demangle) {
  const auto image = LoadedImage(module);
  const auto exports = image ? ReadExportDirectory(*image) : std::nullopt;
  const auto offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module);
  if (!exports || reinterpret_cast<uintptr_t>(address) < reinterpret_cast<uintptr_t>(module) ||
      offset >= image->SizeOfImage()) {
    return {};
  }
  std::string name = ExportNameOfRva(*image, *exports, static_cast<uint32_t>(offset));
  if (demangle) {
    if (auto readable = DemangleSymbol(name)) name = std::move(*readable);
  }
  return name;
}

std::optional<TModuleOfAddress> FindModuleOfAddress(const void* address) {
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(address, &region, sizeof region) == 0 || !region.AllocationBase) return std::nullopt;
  const auto module = static_cast<HMODULE>(region.AllocationBase);
  std::vector<wchar_t> path(kLongPathChars);
  const DWORD length = GetModuleFileNameW(module, path.data(), kLongPathChars);
  if (length == 0 || length >= kLongPathChars) return std::nullopt;
  return TModuleOfAddress{module, FromWide(path.data())};
}

std::span<const uint8_t> ResourceBytes(HMODULE module, const wchar_t* type,
                                       const wchar_t* name) noexcept {
  const HRSRC resource = FindResourceW(module, name, type);
  if (!resource) return {};
  const HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const uint8_t*>(bytes), SizeofResource(module, resource)};
}

std::string LoadResourceStr(HMODULE module, const wchar_t* type, const wchar_t* name) {
  const std::span<const uint8_t> bytes = ResourceBytes(module, type, name);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace palvetta
