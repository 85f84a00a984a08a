#include "crash/symbols/win/module_map.h"

#include <optional>
#include <string_view>

#include "base/win/kernel_handles.h"
#include "crash/symbols/packed_map.h"
#include "crash/symbols/pe_resources.h"
#include "crash/symbols/win/pdb_map.h"
#include "pe/win/loaded_image.h"

namespace palvetta {

namespace {

// A ".swd" file larger than this is no map of ours.
constexpr DWORD kMaxSwdFile = 256u << 20;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The module's file name with its last extension replaced by extension.
std::u16string SiblingFileName(const std::u16string& fileName, std::u16string_view extension) {
  const size_t slash = fileName.find_last_of(u"\\/");
  const size_t dot = fileName.rfind(u'.');
  const bool hasExtension = dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash);
  return (hasExtension ? fileName.substr(0, dot) : fileName) + std::u16string(extension);
}

bool FileExists(const std::u16string& fileName) {
  const DWORD attributes = GetFileAttributesW(Wide(fileName));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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

std::unique_ptr<TMapFile> CreateModuleMap(HMODULE module, const std::u16string& fileName) {
  auto map = std::make_unique<TMapFile>(true);
  map->SetModuleFileName(fileName);
  const std::optional<TPeImage> image = LoadedImage(module);
  if (!image) return map;
  map->SetRanges(CodeRangesOf(*image, reinterpret_cast<uintptr_t>(module)));
  if (ReadPackedDebugInfo(LoadResourceStr(module, L"SWD", L"EXCEPT"), *map)) return map;
  // The library is handed the module file, not the database: it finds the database by the
  // module's own reference and checks that the two belong together.
  if (FileExists(SiblingFileName(fileName, u".pdb")) && ReadProgramDatabase(fileName, *map)) return map;
  ReadPackedDebugInfo(ReadSmallFile(SiblingFileName(fileName, u".swd")), *map);
  return map;
}

}  // namespace palvetta
