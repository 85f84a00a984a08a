#pragma once
// Decode tables for the canonical Huffman codes of deflate: one look-up of the next
// root bits gives the symbol, or the place of a smaller table for the bits after them.

#include <cstddef>
#include <cstdint>

namespace palvetta::deflate {

// An entry: bits 0-7 the bits it takes, 8-15 flags or the count of extra bits, 16-31 a
// literal, a base value (length, distance or code-length symbol) or a sub-table's start.
namespace entry {
inline constexpr uint32_t kLiteral = 0x8000;
inline constexpr uint32_t kEndOfBlock = 0x4000;
inline constexpr uint32_t kSubTable = 0x2000;
inline constexpr uint32_t kInvalid = 0x1000;
inline constexpr uint32_t kSpecial = kLiteral | kEndOfBlock | kSubTable | kInvalid;

constexpr uint32_t Bits(uint32_t e) { return e & 0xFF; }
constexpr uint32_t Extra(uint32_t e) { return (e >> 8) & 0x0F; }
constexpr uint32_t Value(uint32_t e) { return e >> 16; }
}  // namespace entry

enum class TCodeKind { ckLitLen, ckDistance, ckCodeLength };

struct TDecodeTable {
  const uint32_t* Entries;
  int RootBits;
};

// Fills entries (capacity of them) from the code lengths of count symbols. False for an
// over-subscribed code, an incomplete one (except the single one-bit code the format
// allows for literals/lengths and distances), or one that would not fit.
bool BuildDecodeTable(TCodeKind kind, const uint8_t* lengths, int count, int rootBits,
                      uint32_t* entries, size_t capacity);

}  // namespace palvetta::deflate
