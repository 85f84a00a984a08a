#include "crash/stack/cached_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace palvetta {

bool TPageCopyReader::Read(uint64_t address, void* out, size_t count) const noexcept {
  auto* target = static_cast<uint8_t*>(out);
  while (count > 0) {
    const uint64_t page = address & ~(kPageSize - 1);
    const uint8_t* bytes = Page(page);
    if (bytes == nullptr) {
      // A page that cannot be read whole may still be readable in part (a buffer at the
      // end of the memory a test reader holds): ask the source for the rest directly.
      return FSource.Read(address, target, count);
    }
    const size_t offset = static_cast<size_t>(address - page);
    const size_t part = std::min<size_t>(count, kPageSize - offset);
    std::memcpy(target, bytes + offset, part);
    target += part;
    address += part;
    count -= part;
  }
  return true;
}

const uint8_t* TCachedReader::Page(uint64_t page) const noexcept {
  if (const auto found = FPages.find(page); found != FPages.end()) return found->second.get();
  std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[kPageSize]);
  if (copy && !Source().Read(page, copy.get(), kPageSize)) copy.reset();
  const uint8_t* bytes = copy.get();
  try {
    FPages.emplace(page, std::move(copy));
  } catch (...) {
    return nullptr;  // out of memory: read through
  }
  return bytes;
}

const uint8_t* TFixedCachedReader::Page(uint64_t page) const noexcept {
  for (size_t i = 0; i < FCount; ++i)
    if (FAddresses[i] == page) return FReadable[i] ? FBytes[i] : nullptr;
  if (FCount == kPages) return nullptr;  // full: read through
  const size_t i = FCount++;
  FAddresses[i] = page;
  FReadable[i] = Source().Read(page, FBytes[i], kPageSize);
  return FReadable[i] ? FBytes[i] : nullptr;
}

}  // namespace palvetta
