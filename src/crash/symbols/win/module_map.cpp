#include "crash/symbols/win/module_map.h"

#include <string_view>

#include "base/win/scoped_handle.h"
#include "crash/symbols/packed_map.h"

namespace palvetta {

namespace {

// The headers and the section table fit in the first page of every image we load.
constexpr size_t kHeaderPage = 0x1000;
// A ".swd" file larger than this is no map of ours.
constexpr DWORD kMaxSwdFile = 256u << 20;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::string_view ResourceBytes(HMODULE module) {
  HRSRC resource = FindResourceW(module, L"EXCEPT", L"SWD");
  if (resource == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const char*>(bytes), SizeofResource(module, resource)};
}

// The module's file name with its last extension replaced by ".swd".
std::u16string SwdFileName(const std::u16string& fileName) {
  const size_t slash = fileName.find_last_of(u"\\/");
  const size_t dot = fileName.rfind(u'.');
  const bool hasExtension = dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash);
  return (hasExtension ? fileName.substr(0, dot) : fileName) + u".swd";
}

std::string ReadSmallFile(const std::u16string& fileName) {
  TScopedKernelHandle file(CreateFileW(Wide(fileName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxSwdFile) return {};
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    return {};
  }
  return bytes;
}

}  // namespace

bool ReadModuleImageHeaders(HMODULE module, TPeImage& image) {
  if (module == nullptr) return false;
  return image.Parse(std::string_view(reinterpret_cast<const char*>(module), kHeaderPage), TPeLayout::plMapped);
}

std::unique_ptr<TMapFile> CreateModuleMap(HMODULE module, const std::u16string& fileName) {
  auto map = std::make_unique<TMapFile>(true);
  map->SetModuleFileName(fileName);
  TPeImage image;
  if (!ReadModuleImageHeaders(module, image)) return map;
  map->SetRanges(image.CodeRanges(reinterpret_cast<uintptr_t>(module)));
  if (ReadPackedDebugInfo(ResourceBytes(module), *map)) return map;
  ReadPackedDebugInfo(ReadSmallFile(SwdFileName(fileName)), *map);
  return map;
}

}  // namespace palvetta
