#include "crash/symbols/win/map_cache.h"

#include <windows.h>

#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "crash/symbols/win/module_map.h"
#include "pe/win/loaded_image.h"

namespace palvetta {

namespace {

struct TMapCacheEntry {
  std::u16string FileName;
  DWORD Time;  // DOS date (high half) and time of the module file
  uintptr_t ImageBase;
  std::shared_ptr<const TMapFile> Map;
};

struct TMapCache {
  std::mutex Lock;
  std::vector<TMapCacheEntry> Entries;
};

TMapCache& Cache() {
  // Never destroyed: lookups may still run while the process ends.
  static TMapCache* cache = new TMapCache;
  return *cache;
}

std::shared_ptr<const TMapFile> InvalidMap() {
  static const std::shared_ptr<const TMapFile> invalid = std::make_shared<const TMapFile>();
  return invalid;
}

bool SameFileName(const std::u16string& a, const std::u16string& b) {
  return CompareStringOrdinal(reinterpret_cast<const wchar_t*>(a.c_str()), static_cast<int>(a.size()),
                              reinterpret_cast<const wchar_t*>(b.c_str()), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

DWORD FileDosTime(const std::u16string& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  WORD date = 0;
  WORD time = 0;
  if (!GetFileAttributesExW(reinterpret_cast<const wchar_t*>(fileName.c_str()), GetFileExInfoStandard, &data) ||
      !FileTimeToDosDateTime(&data.ftLastWriteTime, &date, &time)) {
    return 0;
  }
  return DWORD{date} << 16 | time;
}

}  // namespace

std::shared_ptr<const TMapFile> MapFileForAddress(const void* address) {
  try {
    if (address == nullptr) address = reinterpret_cast<const void*>(&MapFileForAddress);
    std::optional<TModuleOfAddress> found = FindModuleOfAddress(address);
    if (!found) return InvalidMap();
    const HMODULE module = found->Module;
    const std::u16string fileName = std::move(found->FileName);
    const DWORD time = FileDosTime(fileName);
    const auto imageBase = reinterpret_cast<uintptr_t>(module);

    TMapCache& cache = Cache();
    const std::lock_guard<std::mutex> guard(cache.Lock);
    for (size_t i = 0; i < cache.Entries.size(); ++i) {
      TMapCacheEntry& entry = cache.Entries[i];
      if (!SameFileName(entry.FileName, fileName)) continue;
      if (entry.Time == time && entry.ImageBase == imageBase) return entry.Map;
      // Stale: the last entry takes its place; readers of the old map keep it alive.
      entry = std::move(cache.Entries.back());
      cache.Entries.pop_back();
      break;
    }
    std::shared_ptr<const TMapFile> map = CreateModuleMap(module, fileName);
    if (!map->Valid()) return map;
    cache.Entries.push_back(TMapCacheEntry{fileName, time, imageBase, map});
    return map;
  } catch (const std::exception&) {
    return InvalidMap();
  }
}

void ClearMapCache() {
  TMapCache& cache = Cache();
  const std::lock_guard<std::mutex> guard(cache.Lock);
  cache.Entries.clear();
}

}  // namespace palvetta
