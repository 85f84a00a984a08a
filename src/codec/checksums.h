#pragma once
// The checksums of ZIP entries, packed blocks and PNG images. Both only read the buffer:
// no allocation, no exceptions.

#include <cstddef>
#include <cstdint>

namespace palvetta {

// The reflected CRC-32 of IEEE 802.3 (polynomial 0xEDB88320), without the usual
// inversions: start with 0xFFFFFFFF and invert the result to get the CRC-32 of ZIP and
// PNG. Chained calls give the CRC-32 of the concatenated buffers.
uint32_t Crc32Update(uint32_t crc, const void* buffer, size_t length);

// Adler-32 as in RFC 1950: start with 1.
uint32_t Adler32Update(uint32_t adler, const void* buffer, size_t length);

}  // namespace palvetta
