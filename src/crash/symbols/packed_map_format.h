#pragma once
// Constants and small pieces shared by the writer and the reader of packed debug
// information.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

inline constexpr std::string_view kPackedSignature = "PalvettaSymMap";
static_assert(kPackedSignature.size() == 14);
inline constexpr uint32_t kPackedVersionOld = 2;
inline constexpr uint32_t kPackedVersionNew = 3;
inline constexpr size_t kPackedHeaderOld = 14 + 4 + 4;
inline constexpr size_t kPackedHeaderNew = kPackedHeaderOld + 4 + 4 + 4;
inline constexpr uint32_t kPackedFlagNoNames = 1;
inline constexpr size_t kPackedMaxName = 255;
// A packed integer: one signed byte, or this byte and 4 bytes.
inline constexpr uint8_t kPackedLongInteger = 0x80;

// The whole block around the map's data: packed, enciphered, with its header and padding.
// Empty when packing fails.
std::string WrapPackedData(std::string_view data, bool newFormat, bool noNames, uint32_t dosDateTime);

// The body's pass phrase, built at run time from a fixed text and the body's length.
std::string PackedPassPhrase(uint32_t bodyLength);

}  // namespace palvetta
