#include "codec/huffman_decoder.h"

#include <array>

#include "codec/deflate_format.h"

namespace palvetta::deflate {

namespace {

constexpr int kMaxSymbols = 288;

// What each symbol decodes to, without its bit count.
uint32_t SymbolEntry(TCodeKind kind, int symbol) {
  const auto value = static_cast<uint32_t>(symbol) << 16;
  switch (kind) {
    case TCodeKind::ckCodeLength:
      return value;
    case TCodeKind::ckDistance:
      if (symbol >= kDistanceCodes) return entry::kInvalid;
      return uint32_t{kDistanceBase[symbol]} << 16 | uint32_t{kDistanceExtra[symbol]} << 8;
    case TCodeKind::ckLitLen:
      if (symbol < kLiterals) return value | entry::kLiteral;
      if (symbol == kEndOfBlock) return entry::kEndOfBlock;
      if (symbol >= kLitLenCodes) return entry::kInvalid;
      return uint32_t{kLengthBase[symbol - kLiterals - 1]} << 16 |
             uint32_t{kLengthExtra[symbol - kLiterals - 1]} << 8;
  }
  return entry::kInvalid;
}

unsigned Reverse(unsigned code, int length) {
  unsigned reversed = 0;
  for (int i = 0; i < length; ++i, code >>= 1) reversed = reversed << 1 | (code & 1);
  return reversed;
}

}  // namespace

bool BuildDecodeTable(TCodeKind kind, const uint8_t* lengths, int count, int rootBits,
                      uint32_t* entries, size_t capacity) {
  if (count > kMaxSymbols || capacity < (size_t{1} << rootBits)) return false;
  int lengthCount[kMaxCodeBits + 1] = {};
  for (int s = 0; s < count; ++s) ++lengthCount[lengths[s]];
  lengthCount[0] = 0;
  int maxLength = kMaxCodeBits;
  while (maxLength > 0 && lengthCount[maxLength] == 0) --maxLength;

  int left = 1;
  for (int length = 1; length <= kMaxCodeBits; ++length) {
    left = (left << 1) - lengthCount[length];
    if (left < 0) return false;  // over-subscribed
  }
  // An incomplete code leaves bit patterns without a symbol. The format allows it only for
  // a code of one symbol (one bit, the other pattern unused) or of none (a block without
  // matches may send no distance code at all); the code-length code must be complete.
  if (left > 0 && maxLength > 1) return false;
  if (left > 0 && kind == TCodeKind::ckCodeLength && maxLength != 0) return false;

  const size_t rootSize = size_t{1} << rootBits;
  for (size_t i = 0; i < rootSize; ++i) entries[i] = entry::kInvalid | static_cast<uint32_t>(rootBits);
  if (maxLength == 0) return true;

  // Symbols in canonical order: by length, then by symbol.
  int offset[kMaxCodeBits + 2] = {};
  for (int length = 1; length <= kMaxCodeBits; ++length) offset[length + 1] = offset[length] + lengthCount[length];
  std::array<uint16_t, kMaxSymbols> sorted{};
  for (int s = 0; s < count; ++s) {
    if (lengths[s] != 0) sorted[offset[lengths[s]]++] = static_cast<uint16_t>(s);
  }
  const int codes = offset[kMaxCodeBits];

  unsigned next[kMaxCodeBits + 1] = {};
  unsigned code = 0;
  for (int length = 1; length <= kMaxCodeBits; ++length) next[length] = code = (code + lengthCount[length - 1]) << 1;

  int remaining[kMaxCodeBits + 1];
  for (int length = 0; length <= kMaxCodeBits; ++length) remaining[length] = lengthCount[length];
  const unsigned rootMask = static_cast<unsigned>(rootSize - 1);
  size_t used = rootSize;
  unsigned subPrefix = ~0u;
  size_t subStart = 0;
  for (int i = 0; i < codes; ++i) {
    const int symbol = sorted[i];
    const int length = lengths[symbol];
    const unsigned reversed = Reverse(next[length]++, length);
    const uint32_t decoded = SymbolEntry(kind, symbol);
    if (length <= rootBits) {
      for (size_t k = reversed; k < rootSize; k += size_t{1} << length) entries[k] = decoded | static_cast<uint32_t>(length);
    } else {
      const unsigned prefix = reversed & rootMask;
      if (prefix != subPrefix) {
        // A new sub-table, just big enough for the codes still to come under this prefix.
        int subBits = length - rootBits;
        int room = 1 << subBits;
        while (subBits + rootBits < maxLength) {
          room -= remaining[subBits + rootBits];
          if (room <= 0) break;
          ++subBits;
          room <<= 1;
        }
        const size_t subSize = size_t{1} << subBits;
        if (used + subSize > capacity) return false;
        subPrefix = prefix;
        subStart = used;
        used += subSize;
        for (size_t k = subStart; k < used; ++k) entries[k] = entry::kInvalid | static_cast<uint32_t>(subBits);
        entries[prefix] = static_cast<uint32_t>(subStart) << 16 | entry::kSubTable |
                          static_cast<uint32_t>(subBits) << 8 | static_cast<uint32_t>(rootBits);
      }
      const size_t subSize = size_t{1} << ((entries[prefix] >> 8) & 0x0F);
      const uint32_t subEntry = decoded | static_cast<uint32_t>(length - rootBits);
      for (size_t k = reversed >> rootBits; k < subSize; k += size_t{1} << (length - rootBits)) {
        entries[subStart + k] = subEntry;
      }
    }
    --remaining[length];
  }
  return true;
}

}  // namespace palvetta::deflate
