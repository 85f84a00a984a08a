// Feeds arbitrary bytes to the reader of packed debug information. It must never crash or
// read out of bounds; what it accepts must look up without fault and write back into a
// block that reads again to the same map.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "crash/symbols/packed_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace palvetta;
  const TCodeRanges ranges{0x140000000, 0x140001000, 0x140400000, 0x140400000, 0x140500000};
  TMapFile map;
  map.SetRanges(ranges);
  if (!ReadPackedDebugInfo(std::string_view(reinterpret_cast<const char*>(data), size), map)) return 0;
  for (uintptr_t address = ranges.BaseOfCode; address < ranges.BaseOfCode + 0x400; address += 0x10) {
    map.FindPublic(address);
    map.FindLine(address);
    map.FindSegment(true, address);
  }
  const std::string again = ExportPackedDebugInfo(map, TExportOptions{true, !map.MinDebugInfo().empty(), false}, 0);
  TMapFile reread;
  reread.SetRanges(ranges);
  if (!ReadPackedDebugInfo(again, reread)) std::abort();
  if (reread.PublicCount() != map.PublicCount() || reread.LineCount() != map.LineCount() ||
      reread.SegmentCount() != map.SegmentCount()) {
    std::abort();
  }
  return 0;
}
