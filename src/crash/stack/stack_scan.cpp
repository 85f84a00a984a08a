#include "crash/stack/stack_scan.h"

namespace palvetta {

bool IsReturnAddress(const IMemoryReader& reader, const ICodeRanges& code, uint64_t value, TCallSite& site) noexcept {
  if (value <= 7 || !code.IsCode(value - 1)) return false;
  return FindCallEndingAt(reader, value, site);
}

size_t ScanStack(const IMemoryReader& reader, const ICodeRanges& code, uint64_t bottom, uint64_t top,
                 std::span<TStackCandidate> out) noexcept {
  size_t count = 0;
  bottom = (bottom + 7) & ~uint64_t{7};
  top &= ~uint64_t{7};
  for (uint64_t slot = top; slot > bottom && count < out.size();) {
    slot -= 8;
    uint64_t value = 0;
    TCallSite site;
    if (!reader.Read(slot, &value, sizeof value) || !IsReturnAddress(reader, code, value, site)) continue;
    out[count++] = {slot, value, site, false, true};
  }
  return count;
}

}  // namespace palvetta
