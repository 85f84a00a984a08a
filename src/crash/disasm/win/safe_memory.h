#pragma once
// Fault-free reads of the process's own memory: a snapshot of which address ranges can
// be read, taken over the whole user address space, and reads that never fault (an
// execute-only range is made readable for the copy and restored).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "crash/disasm/memory_reader.h"

namespace palvetta {

enum TReadFlag : uint8_t { rfNotReadable = 0, rfExecuteOnly = 1, rfReadable = 2 };

struct TTryRead {
  uintptr_t areaBegin = 0;
  uintptr_t areaEnd = 0;  // exclusive
  uint8_t flags = rfNotReadable;
};
using TDATryRead = std::vector<TTryRead>;

// The readable areas of the whole user address space, ascending, neighbours of the same
// flag joined.
TDATryRead SnapshotReadableAreas();
void FreeSnapshot(TDATryRead& snapshot);

// Copies count bytes; false (and nothing certain in buffer) when any byte cannot be read.
// Without a snapshot the system is asked about the range. Allocates nothing.
bool SafeReadMemory(uintptr_t address, void* buffer, size_t count, const TDATryRead* snapshot) noexcept;

// The decoder's reader over the process's memory.
class TSafeReader final : public IMemoryReader {
 public:
  explicit TSafeReader(const TDATryRead* snapshot = nullptr) noexcept : FSnapshot(snapshot) {}
  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    return SafeReadMemory(static_cast<uintptr_t>(address), out, count, FSnapshot);
  }

 private:
  const TDATryRead* FSnapshot;
};

}  // namespace palvetta
