#pragma once
// Whether a value found on the stack can be a return address: an x64 call instruction
// must end exactly where it points. Reads go through the reader only, so a caller on a
// faulting thread can use it (no allocation, no exceptions).

#include <cstdint>

#include "crash/disasm/memory_reader.h"

namespace palvetta {

struct TCallSite {
  uint64_t CallAddr = 0;   // the call instruction
  bool HasTarget = false;  // a direct call, or an indirect one whose pointer was readable
  uint64_t Target = 0;
};

// The longest call form: REX, FF, ModR/M, SIB and a 32-bit displacement.
constexpr int kLongestCallForm = 8;

// Looks for a near call that ends at afterInstr: E8 rel32, or FF /2 (with or without REX)
// through a register, [rip+disp32], a base with or without displacement, or a SIB byte.
// A direct call is preferred over an indirect one that would end at the same place.
bool FindCallEndingAt(const IMemoryReader& reader, uint64_t afterInstr, TCallSite& site) noexcept;

}  // namespace palvetta
