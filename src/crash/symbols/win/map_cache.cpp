#include "crash/symbols/win/map_cache.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "crash/symbols/win/module_map.h"
#include "crash/system/win/loaded_image.h"

namespace palvetta {

namespace {

struct TMapCacheEntry {
  uintptr_t ImageBase;
  uintptr_t ImageEnd;  // ImageBase + the image's size
  std::u16string FileName;
  DWORD Time;          // DOS date (high half) and time of the module file
  unsigned CheckedIn;  // the check period of the last check
  std::shared_ptr<const TMapFile> Map;  // may be invalid: the module has no map

  bool Holds(uintptr_t address) const { return address >= ImageBase && address < ImageEnd; }
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

std::atomic<unsigned> gCheckPeriod{0};

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

// Asks the system which module holds the address and brings its entry up to date: kept
// when the module at that base comes from the same file with the same time and has a map,
// else made afresh (readers of a replaced map keep it alive). Called under the lock.
std::shared_ptr<const TMapFile> CheckModule(TMapCache& cache, const void* address, unsigned period) {
  std::optional<TModuleOfAddress> found = FindModuleOfAddress(address);
  if (!found) return InvalidMap();
  const HMODULE module = found->Module;
  const auto imageBase = reinterpret_cast<uintptr_t>(module);
  const std::optional<TPeImage> image = LoadedImage(module);
  if (!image) return InvalidMap();
  const uintptr_t imageEnd = imageBase + image->SizeOfImage();
  const DWORD time = FileDosTime(found->FileName);

  for (size_t i = 0; i < cache.Entries.size();) {
    TMapCacheEntry& entry = cache.Entries[i];
    const bool sameModule = entry.ImageBase == imageBase && SameFileName(entry.FileName, found->FileName);
    if (sameModule && entry.Time == time && entry.Map->Valid()) {
      entry.CheckedIn = period;
      return entry.Map;
    }
    // Stale: another file or time at this base, the same file loaded elsewhere now, or an
    // image overlapping this one (unloaded since).
    if (sameModule || entry.ImageBase == imageBase || SameFileName(entry.FileName, found->FileName) ||
        (entry.ImageBase < imageEnd && imageBase < entry.ImageEnd)) {
      entry = std::move(cache.Entries.back());
      cache.Entries.pop_back();
    } else {
      ++i;
    }
  }
  std::shared_ptr<const TMapFile> map = CreateModuleMap(module, found->FileName);
  cache.Entries.push_back(TMapCacheEntry{imageBase, imageEnd, std::move(found->FileName), time, period, map});
  return map;
}

}  // namespace

std::shared_ptr<const TMapFile> MapFileForAddress(const void* address) {
  try {
    if (address == nullptr) address = reinterpret_cast<const void*>(&MapFileForAddress);
    const auto at = reinterpret_cast<uintptr_t>(address);
    const unsigned period = gCheckPeriod.load(std::memory_order_relaxed);
    TMapCache& cache = Cache();
    const std::lock_guard<std::mutex> guard(cache.Lock);
    for (const TMapCacheEntry& entry : cache.Entries) {
      if (entry.Holds(at) && entry.CheckedIn == period) return entry.Map;
    }
    return CheckModule(cache, address, period);
  } catch (const std::exception&) {
    return InvalidMap();
  }
}

void RecheckModuleFiles() noexcept { gCheckPeriod.fetch_add(1, std::memory_order_relaxed); }

void ClearMapCache() {
  TMapCache& cache = Cache();
  const std::lock_guard<std::mutex> guard(cache.Lock);
  cache.Entries.clear();
}

}  // namespace palvetta
