#include "crash/stack/call_site.h"

#include <cstring>

namespace palvetta {
namespace {

bool IsRex(uint8_t b) { return (b & 0xF0) == 0x40; }

// Length of an FF /2 instruction starting at code[0] (REX allowed), 0 when the bytes are
// no such call.
int IndirectCallLength(const uint8_t* code, int available, bool& ripRelative, int32_t& disp) {
  int pos = 0;
  if (available > 0 && IsRex(code[0])) ++pos;
  if (pos + 2 > available || code[pos] != 0xFF) return 0;
  const uint8_t modrm = code[pos + 1];
  if (((modrm >> 3) & 7) != 2) return 0;
  pos += 2;
  const int mod = modrm >> 6, rm = modrm & 7;
  ripRelative = false;
  if (mod == 3) return pos;
  int dispSize = mod == 1 ? 1 : mod == 2 ? 4 : 0;
  if (rm == 4) {
    if (pos + 1 > available) return 0;
    const uint8_t sib = code[pos++];
    if (mod == 0 && (sib & 7) == 5) dispSize = 4;
  } else if (mod == 0 && rm == 5) {
    ripRelative = true;
    dispSize = 4;
  }
  if (pos + dispSize > available) return 0;
  disp = 0;
  if (dispSize == 4) std::memcpy(&disp, code + pos, 4);
  return pos + dispSize;
}

}  // namespace

bool FindCallEndingAt(const IMemoryReader& reader, uint64_t afterInstr, TCallSite& site) noexcept {
  if (afterInstr < kLongestCallForm) return false;
  uint8_t code[kLongestCallForm];
  const uint64_t start = afterInstr - kLongestCallForm;
  // The bytes nearest to the return address are the ones that must be readable; a
  // shorter window is tried when the longest one crosses into unreadable memory.
  int available = kLongestCallForm, skipped = 0;
  while (available >= 2 && !reader.Read(start + skipped, code + skipped, static_cast<size_t>(available))) {
    ++skipped;
    --available;
  }
  if (available < 2) return false;

  if (available >= 5 && code[kLongestCallForm - 5] == 0xE8) {
    int32_t rel;
    std::memcpy(&rel, code + kLongestCallForm - 4, 4);
    // A call of the next instruction only pushes its own address: no function is called.
    if (rel != 0) {
      site = {afterInstr - 5, true, afterInstr + static_cast<uint64_t>(static_cast<int64_t>(rel))};
      return true;
    }
  }
  for (int length = 2; length <= available; ++length) {
    const int offset = kLongestCallForm - length;
    bool ripRelative = false;
    int32_t disp = 0;
    if (IndirectCallLength(code + offset, length, ripRelative, disp) != length) continue;
    // A REX prefix in front belongs to the same instruction.
    if (length < available && IsRex(code[offset - 1]) && !IsRex(code[offset])) ++length;
    site = {afterInstr - static_cast<uint64_t>(length), false, 0};
    uint64_t target = 0;
    if (ripRelative &&
        reader.Read(afterInstr + static_cast<uint64_t>(static_cast<int64_t>(disp)), &target, sizeof target)) {
      site.HasTarget = true;
      site.Target = target;
    }
    return true;
  }
  return false;
}

}  // namespace palvetta
