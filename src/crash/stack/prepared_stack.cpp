#include "crash/stack/prepared_stack.h"

namespace palvetta {
namespace {

// Whether slot holds a return address of the rbp chain from framePointer: each frame keeps
// the caller's frame pointer at frame and the return address at frame + 8; the chain is
// followed while the saved value is readable and above the frame. It only grows, so the
// walk ends once it reaches slot (a frame at top - 8 or above has no slot in the range).
bool IsFrameSlot(const IMemoryReader& reader, uint64_t framePointer, uint64_t slot) noexcept {
  for (uint64_t frame = framePointer; frame != 0 && frame < slot;) {
    if (slot - frame == 8) return true;
    uint64_t saved = 0;
    if (!reader.Read(frame, &saved, sizeof saved) || saved <= frame) return false;
    frame = saved;
  }
  return false;
}

}  // namespace

size_t PrepareStack(const IMemoryReader& reader, const ICodeRanges& code, uint64_t framePointer, uint64_t bottom,
                    uint64_t top, uint64_t stopValue, bool stopAtValue, std::span<TPreparedEntry> out) noexcept {
  size_t count = 0;
  ForEachStackSlot(reader, bottom, top, [&](uint64_t slot, uint64_t value) {
    if (count == out.size() || (stopAtValue && value == stopValue)) return -1;
    TCallSite site;
    if (!IsReturnAddress(reader, code, value, site)) return 0;
    const bool frameSlot = IsFrameSlot(reader, framePointer, slot);
    out[count++] = {value, frameSlot};
    return frameSlot ? 1 : 0;  // the saved frame pointer below it
  });
  return count;
}

}  // namespace palvetta
