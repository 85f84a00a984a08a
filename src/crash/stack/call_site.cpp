#include "crash/stack/call_site.h"

#include "crash/disasm/decoder.h"

namespace palvetta {
namespace {

constexpr int kDirectCallLength = 5;  // E8 rel32
constexpr int kShortestCallForm = 2;  // FF and a register ModR/M

// The near call that starts length bytes before afterInstr and ends exactly there; an
// invalid record for anything else. Far calls (FF /3) push a segment as well: what
// they leave on the stack is no plain return address.
TInstrInfo NearCallEndingAt(const IMemoryReader& reader, uint64_t afterInstr, int length) noexcept {
  const TInstrInfo info = DecodeInstruction(TCpuMode::cm64, afterInstr - static_cast<uint64_t>(length), reader);
  const bool nearCall = info.Opcode == 0xE8 || (info.Opcode == 0xFF && ((info.ModRm >> 3) & 7) == 2);
  if (info.IsValid && info.Call && nearCall && info.Next == afterInstr) return info;
  return {};
}

// The decoder knows the target of a direct call, and of an indirect one through a
// memory cell whose address needs no register and which it could read.
TCallSite SiteOf(const TInstrInfo& call) noexcept {
  return {call.This, call.RelTarget || call.Target != 0, call.Target};
}

}  // namespace

bool FindCallEndingAt(const IMemoryReader& reader, uint64_t afterInstr, TCallSite& site) noexcept {
  if (afterInstr < kLongestCallForm) return false;
  if (const TInstrInfo direct = NearCallEndingAt(reader, afterInstr, kDirectCallLength); direct.RelTarget) {
    site = SiteOf(direct);
    return true;
  }
  // The shortest indirect form wins: where a longer call would end here too, its extra
  // bytes are more likely the end of the instruction before than its ModR/M, SIB or
  // displacement.
  for (int length = kShortestCallForm; length <= kLongestCallForm; ++length) {
    TInstrInfo call = NearCallEndingAt(reader, afterInstr, length);
    if (!call.Call) continue;
    // A REX prefix in front belongs to the same instruction. Other prefix bytes there
    // (F2, F3, 66) are far more often the end of a mov or lea before it.
    uint8_t before = 0;
    if (length < kLongestCallForm && reader.Read(call.This - 1, &before, 1) && (before & 0xF0) == 0x40) {
      if (const TInstrInfo withRex = NearCallEndingAt(reader, afterInstr, length + 1); withRex.Call) call = withRex;
    }
    site = SiteOf(call);
    return true;
  }
  return false;
}

}  // namespace palvetta
