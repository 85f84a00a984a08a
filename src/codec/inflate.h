#pragma once
// Decoding raw deflate streams (RFC 1951) of whole buffers in memory.

#include <cstddef>
#include <cstdint>

namespace palvetta {

// Decodes the stream into exactly destinationLength bytes. Returns that length only when
// the stream ends with its final block in the last byte of the source and produced
// exactly that many bytes; a truncated, damaged or over-long stream, trailing bytes or a
// different output length give 0. Uses about 12 KB of stack and no heap, never throws.
uint64_t InflateBuffer(const void* source, void* destination, uint64_t sourceLength,
                       uint64_t destinationLength);

}  // namespace palvetta
