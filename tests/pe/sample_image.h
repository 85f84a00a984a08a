#pragma once
// A small PE32+ image laid out by hand, as the loader lays it out in memory or as its
// file: two sections (the data section starts at a different offset in the file), an
// export table with named, nameless, forwarded and empty entries, and one import
// descriptor with two address-table slots.

#include <cstdint>
#include <vector>

#include "pe/pe_image.h"

namespace palvetta::sample_image {

constexpr uint32_t kSizeOfImage = 0x3000;
constexpr uint32_t kDataRva = 0x1000;
constexpr uint32_t kDataFileOffset = 0x400;
constexpr uint32_t kTextRva = 0x2000;
constexpr uint32_t kTextFileOffset = 0xC00;

constexpr uint32_t kOrdinalBase = 5;
// Function table, by index: "Alpha", "Beta", a nameless export, a forwarder to
// "OTHER.Gamma", an empty entry.
constexpr uint32_t kAlphaRva = 0x2000;
constexpr uint32_t kBetaRva = 0x2010;
constexpr uint32_t kNamelessRva = 0x2020;
constexpr uint32_t kForwarderRva = 0x10A0;
constexpr uint32_t kExportRangeSize = 0xB0;

constexpr uint32_t kImportAddressTable = 0x11A0;  // two slots of 8 bytes

std::vector<uint8_t> Build(TPeLayout layout);

}  // namespace palvetta::sample_image
