#include "codec/checksums.h"

#include <array>

namespace palvetta {

namespace {

// Eight tables, so the loop takes eight bytes per step: table k gives the CRC of a byte
// followed by k zero bytes.
using TCrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr TCrcTables kCrcTables = [] {
  TCrcTables tables{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (size_t k = 1; k < tables.size(); ++k) {
    for (uint32_t n = 0; n < 256; ++n) {
      const uint32_t previous = tables[k - 1][n];
      tables[k][n] = tables[0][previous & 0xFF] ^ (previous >> 8);
    }
  }
  return tables;
}();

uint32_t ReadLittle32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The largest count of bytes whose sums cannot overflow 32 bits before the modulo.
constexpr size_t kAdlerBlock = 5552;
constexpr uint32_t kAdlerBase = 65521;

}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* buffer, size_t length) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  const auto& t = kCrcTables;
  for (; length >= 8; length -= 8, p += 8) {
    const uint32_t low = crc ^ ReadLittle32(p);
    const uint32_t high = ReadLittle32(p + 4);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; length > 0; --length) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
  return crc;
}

uint32_t Adler32Update(uint32_t adler, const void* buffer, size_t length) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  uint32_t a = adler & 0xFFFF;
  uint32_t b = adler >> 16;
  while (length > 0) {
    const size_t block = length < kAdlerBlock ? length : kAdlerBlock;
    length -= block;
    for (size_t i = 0; i < block; ++i) {
      a += *p++;
      b += a;
    }
    a %= kAdlerBase;
    b %= kAdlerBase;
  }
  return b << 16 | a;
}

}  // namespace palvetta
