#pragma once
// The packed debug information of a symbol map, as a module carries it in its "SWD"
// "EXCEPT" resource or a ".swd" file beside it. Little-endian throughout:
//
//   signature (14 bytes), body length (4), version (4, 2 or 3);
//   version 3: DOS date (2) and time (2) of making, checksum (4: the packed block's
//   CRC-32), flags (4; bit 0: names left out);
//   body: the packed block (packed_block.h) of the map's data, enciphered with Blowfish
//   under a pass phrase that depends on the body's length;
//   zero bytes up to a multiple of 4.
//
// The data: code segments (count; start relative to the code base, length, and a name,
// or without names a line-number flag), publics (count; name unless left out; the first
// address relative to the code base, then differences), lines (count; the first line and
// relative address, then differences of both), and perhaps the entry point.

#include <cstdint>
#include <string>
#include <string_view>

#include "crash/symbols/map_file.h"

namespace palvetta {

struct TExportOptions {
  bool NewFormat = true;         // version 3, else 2
  bool MinDebugInfoOnly = false; // no names, no lines: only which segments have lines
  bool HideUglyItems = false;    // publics without a line number get an empty name
};

// The map's packed debug information; empty for an invalid map. dosDateTime (date in the
// high half) is the stamp of a version 3 header.
std::string ExportPackedDebugInfo(const TMapFile& map, const TExportOptions& options,
                                  uint32_t dosDateTime);

// Reads packed debug information into the map, whose code ranges must be set: its
// segments, publics, lines and entry point are replaced and it becomes valid. Anything
// but an intact block of this format leaves the map as it was and returns false; it
// never throws or reads outside the block.
//
// A block without names is accepted when the map holds no identity yet (it then takes
// the block's identity) or the one of this very block.
bool ReadPackedDebugInfo(std::string_view block, TMapFile& map);

// The identity of a packed block: its total length, date stamp and checksum, each as 8
// hexadecimal digits after "$", joined by ", " (31 characters).
std::string PackedDebugInfoIdentity(uint32_t totalLength, uint32_t dateStamp, uint32_t checksum);

// The current UTC time as DOS date and time.
uint32_t CurrentUtcDosDateTime();

}  // namespace palvetta
