#pragma once
// The exact walk of an x64 stack with the system's unwind data, whose frames are anchors,
// then the scan of the stretch the unwinder cannot explain (damaged stack, code without
// unwind data), recursion echoes removed. Fixed buffers only: it runs on a faulting
// thread too.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "crash/stack/stack_scan.h"

namespace palvetta {

// Code is memory of a loaded image that may be executed.
class TImageCodeRanges final : public ICodeRanges {
 public:
  bool IsCode(uint64_t address) const noexcept override;
};

struct TStackRange {
  uint64_t Low = 0;   // the lowest address that may hold a frame (the stack pointer)
  uint64_t High = 0;  // the thread's stack base
};

// Candidates outermost first; the current address of context is the innermost one (the
// top item). Without unwind (the traced thread holds the loader lock, which the
// system's function-table lookup may need) the whole stack is scanned. Returns the
// number written.
size_t WalkStack(const CONTEXT& context, const TStackRange& range, const IMemoryReader& reader,
                 const ICodeRanges& code, std::span<TStackCandidate> out, bool unwind = true) noexcept;

}  // namespace palvetta
