#include "crash/stack/win/prepared_stack_capture.h"

#include "crash/disasm/win/safe_memory.h"
#include "crash/stack/win/stack_walk.h"
#include "crash/stack/win/thread_stack.h"

namespace palvetta {

__attribute__((noinline)) size_t PrepareCurrentStack(uint64_t framePointer, uint64_t stopValue, bool stopAtValue,
                                                     std::span<TPreparedEntry> out) noexcept {
  // The stack pointer before the call of this function: its own frame and its return
  // address into the caller lie below.
  const auto callerStack = reinterpret_cast<uint64_t>(__builtin_dwarf_cfa());
  const uint64_t stackBase = ThreadStackBase(GetCurrentThread());
  if (stackBase == 0 || stackBase <= callerStack) return 0;
  const TSafeReader reader;
  const TImageCodeRanges code;
  return PrepareStack(reader, code, framePointer, callerStack, stackBase, stopValue, stopAtValue, out);
}

}  // namespace palvetta
