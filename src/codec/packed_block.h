#pragma once
// The packed block of compressed debug data: the uncompressed length (8 bytes), its
// CRC-32 (4 bytes), both little-endian, then the raw deflate stream.

#include <string>
#include <string_view>

namespace palvetta {

// Empty when compression failed, or with onlyIfSmaller when the block would not be
// smaller than the data.
std::string PackCompressed(std::string_view data, bool onlyIfSmaller);

// The data, or empty for anything that is not a whole, intact block. Never throws.
std::string UnpackCompressed(std::string_view block);

}  // namespace palvetta
