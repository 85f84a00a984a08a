#pragma once
// A small symbol map with code segments, a gap, a data segment, publics and lines, at
// 64-bit addresses, for the lookup and packed-format tests.

#include <cstdint>

#include "crash/symbols/map_file.h"

namespace palvetta {

inline constexpr uintptr_t kSampleImageBase = 0x140000000;
inline constexpr uintptr_t kSampleCodeBase = kSampleImageBase + 0x1000;
inline constexpr uintptr_t kSampleTopOfCode = kSampleCodeBase + 0x200;
inline constexpr uintptr_t kSampleDataBase = kSampleImageBase + 0x3000;

TMapFile SampleSymbolMap(bool codeOnly);

}  // namespace palvetta
