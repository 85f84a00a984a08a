#pragma once
// Raw deflate streams (RFC 1951: no zlib header, no checksum) of whole buffers in memory.

#include <cstddef>
#include <cstdint>

namespace palvetta {

// Compresses the source in one pass with a final block, by zlib's fast algorithm with
// the parameters of its level 2 (32 KiB window, hash chains of at most 8 steps, no lazy
// matching, blocks of at most 16383 symbols sent stored, fixed or dynamic, whichever is
// smallest), so the bytes equal zlib's at that level. Returns the compressed length, or
// 0 when the stream did not fit into destinationLength with a byte to spare, or memory
// ran out. Allocates about 65 KB per call and keeps 160 KB of match tables per thread
// for its next call; never throws.
uint64_t DeflateBuffer(const void* source, void* destination, uint64_t sourceLength,
                       uint64_t destinationLength);

}  // namespace palvetta
