#pragma once
// The scan of raw stack memory for return addresses, for the stretches an unwinder cannot
// explain (damaged stacks, code without unwind data): every 8-byte slot whose value
// points just behind a call instruction in mapped code is a candidate. Fixed buffers
// only, so it runs on a faulting thread.

#include <cstddef>
#include <cstdint>
#include <span>

#include "crash/disasm/memory_reader.h"
#include "crash/stack/call_site.h"

namespace palvetta {

// Where code of loaded modules lies.
class ICodeRanges {
 public:
  virtual ~ICodeRanges() = default;
  virtual bool IsCode(uint64_t address) const noexcept = 0;
};

struct TStackCandidate {
  uint64_t Slot = 0;        // where on the stack the value was found (0: not from the stack)
  uint64_t AfterInstr = 0;  // the return address (for the innermost frame, the current address)
  TCallSite Call;
  bool Anchor = false;  // from the exact walk: never removed
  bool Valid = true;
};

// The 8-byte slots of [bottom, top) from the top down: visit(slot, value) for each readable
// one; it returns how many further slots to skip, or -1 to stop.
template <typename Visit>
void ForEachStackSlot(const IMemoryReader& reader, uint64_t bottom, uint64_t top, Visit visit) noexcept {
  bottom = (bottom + 7) & ~uint64_t{7};
  top &= ~uint64_t{7};
  for (uint64_t slot = top; slot > bottom;) {
    slot -= 8;
    uint64_t value = 0;
    if (!reader.Read(slot, &value, sizeof value)) continue;
    const int skip = visit(slot, value);
    if (skip < 0) return;
    for (int i = 0; i < skip && slot > bottom; ++i) slot -= 8;
  }
}

// Offers the 8-byte slots of [bottom, top) from the top down; each slot whose value
// passes the call test is written to out, outermost first. Returns the number written
// (out's size at most).
size_t ScanStack(const IMemoryReader& reader, const ICodeRanges& code, uint64_t bottom, uint64_t top,
                 std::span<TStackCandidate> out) noexcept;

// The call test of one value: above 7, inside code, a call ending at it.
bool IsReturnAddress(const IMemoryReader& reader, const ICodeRanges& code, uint64_t value, TCallSite& site) noexcept;

}  // namespace palvetta
