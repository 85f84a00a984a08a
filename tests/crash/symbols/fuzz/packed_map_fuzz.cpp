// Feeds arbitrary bytes to the reader of packed debug information. It must never crash or
// read out of bounds; what it accepts must look up without fault and write back into a
// block that reads again to the same map. An odd first byte wraps the rest in an intact
// envelope (packed and enciphered, with or without names by the next bit), so that the
// map's data itself is explored, not only the envelope's checks.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "crash/symbols/packed_map.h"
#include "crash/symbols/packed_map_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace palvetta;
  const TCodeRanges ranges{0x140000000, 0x140001000, 0x140400000, 0x140400000, 0x140500000};
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string wrapped;
  if (size > 0 && (data[0] & 1) != 0) {
    wrapped = WrapPackedData(input.substr(1), true, (data[0] & 2) != 0, 0);
    input = wrapped;
  }
  TMapFile map;
  map.SetRanges(ranges);
  if (!ReadPackedDebugInfo(input, map)) return 0;
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
