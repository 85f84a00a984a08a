#pragma once
// The quick snapshot of a stack taken on the raising thread at the moment an exception is
// raised, before handlers run and the stack changes: just the values that can be return
// addresses, to be resolved later. The thread may be broken: no heap, no exceptions, reads
// only through the reader.

#include <cstddef>
#include <cstdint>
#include <span>

#include "crash/disasm/memory_reader.h"
#include "crash/stack/stack_scan.h"

namespace palvetta {

struct TPreparedEntry {
  uint64_t Address;
  bool FrameSlot;  // found in the return-address slot of the rbp frame chain
};

// Walks the 8-byte slots of [bottom, top) from the top down and writes each value that
// passes the call test to out, outermost first; with stopAtValue it stops before the first
// slot holding stopValue. The frame chain starts at framePointer (0: none); the saved frame
// pointer below a chain slot is skipped. Returns the number written (out's size at most).
size_t PrepareStack(const IMemoryReader& reader, const ICodeRanges& code, uint64_t framePointer, uint64_t bottom,
                    uint64_t top, uint64_t stopValue, bool stopAtValue, std::span<TPreparedEntry> out) noexcept;

}  // namespace palvetta
