#pragma once
// Readers of the modules loaded in this process (the PE readers of pe_image.h over the
// module's memory) and of their files: exports by name and ordinal with forwarders
// resolved, the export at an address, the module holding an address, resources.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "pe/pe_exports.h"
#include "pe/pe_image.h"

namespace palvetta {

// The module's image as loaded; nothing unless its headers are readable and read "MZ"
// and "PE\0\0".
std::optional<TPeImage> LoadedImage(HMODULE module) noexcept;
// The address of a data directory in the loaded module; nullptr when it has none.
const void* ImageDataDirectory(HMODULE module, unsigned index) noexcept;

// A read-only view of a module's file, unmapped when it goes.
class TMappedFile {
 public:
  TMappedFile() noexcept = default;
  TMappedFile(const uint8_t* view, size_t size) noexcept : FView(view), FSize(size) {}
  TMappedFile(TMappedFile&& other) noexcept : FView(other.FView), FSize(other.FSize) { other.FView = nullptr; }
  TMappedFile& operator=(TMappedFile&&) = delete;
  ~TMappedFile() {
    if (FView) UnmapViewOfFile(FView);
  }
  const uint8_t* View() const noexcept { return FView; }
  size_t Size() const noexcept { return FSize; }
  explicit operator bool() const noexcept { return FView != nullptr; }

 private:
  const uint8_t* FView = nullptr;
  size_t FSize = 0;
};
TMappedFile MapModuleFile(HMODULE module) noexcept;

// The address of the named export: the first equal name of the export table; its RVA
// from the module's file instead when asked to check the file always, or when the loaded
// table points outside the image (a table patched in memory), provided the file's table
// matches the loaded one. Forwarders are followed into modules already loaded. When that
// finds nothing, GetProcAddress answers.
void* ImageProcAddress(HMODULE module, const char* name, bool alwaysCheckFile = false) noexcept;
// The address of an ordinal's export, forwarders followed; GetProcAddress when the
// table has no entry for it.
void* ImageProcAddressByOrdinal(HMODULE module, uint32_t ordinal) noexcept;
// module + RVA for an export that is no forwarder; for a forwarder the export it names
// in a module already loaded (nothing is loaded), nullptr when it names the module
// itself, a module not loaded, or a chain of forwarders that does not end.
void* ResolveExportForwarder(HMODULE module, uint32_t rva) noexcept;

// The name of the export at the address ("#" and its ordinal when it has none), with
// mangled C++ names made readable when asked; empty when the address is no export.
std::string ExportNameOfAddress(HMODULE module, const void* address, bool demangle);

struct TModuleOfAddress {
  HMODULE Module = nullptr;
  std::u16string FileName;  // full path
};
// The loaded module whose image holds the address.
std::optional<TModuleOfAddress> FindModuleOfAddress(const void* address);

// The resource's bytes where the module holds them; empty when it has no such resource.
std::span<const uint8_t> ResourceBytes(HMODULE module, const wchar_t* type,
                                       const wchar_t* name) noexcept;

// The resource's bytes as a copy; empty when the module has no such resource.
std::string LoadResourceStr(HMODULE module, const wchar_t* type, const wchar_t* name);

}  // namespace palvetta
