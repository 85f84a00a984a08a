#include "crash/stack/stack_scan.h"

namespace palvetta {

bool IsReturnAddress(const IMemoryReader& reader, const ICodeRanges& code, uint64_t value, TCallSite& site) noexcept {
  if (value <= 7 || !code.IsCode(value - 1)) return false;
  return FindCallEndingAt(reader, value, site);
}

size_t ScanStack(const IMemoryReader& reader, const ICodeRanges& code, uint64_t bottom, uint64_t top,
                 std::span<TStackCandidate> out) noexcept {
  size_t count = 0;
  ForEachStackSlot(reader, bottom, top, [&](uint64_t slot, uint64_t value) {
    if (count == out.size()) return -1;
    TCallSite site;
    if (IsReturnAddress(reader, code, value, site)) out[count++] = {slot, value, site, false, true};
    return 0;
  });
  return count;
}

}  // namespace palvetta
