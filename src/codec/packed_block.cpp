#include "codec/packed_block.h"

#include <cstdint>
#include <new>

#include "codec/checksums.h"
#include "codec/deflate.h"
#include "codec/inflate.h"

namespace palvetta {

namespace {

constexpr size_t kHeaderSize = 12;
// Deflate cannot expand more than 258 bytes from one bit: a stored length beyond this
// ratio is damage, and must not make us allocate gigabytes.
constexpr uint64_t kMaxRatio = 1032;

void PutLittle(std::string& out, size_t at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

uint64_t GetLittle(std::string_view in, size_t at, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(in[at + i]);
  return value;
}

uint32_t Crc32(std::string_view data) { return Crc32Update(0xFFFFFFFF, data.data(), data.size()) ^ 0xFFFFFFFF; }

}  // namespace

std::string PackCompressed(std::string_view data, bool onlyIfSmaller) {
  try {
    std::string block(data.size() * 11 / 10 + 24, '\0');
    PutLittle(block, 0, data.size(), 8);
    PutLittle(block, 8, Crc32(data), 4);
    const uint64_t packed = DeflateBuffer(data.data(), block.data() + kHeaderSize, data.size(), block.size() - kHeaderSize);
    if (packed == 0 || (onlyIfSmaller && kHeaderSize + packed >= data.size())) return {};
    block.resize(kHeaderSize + packed);
    return block;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::string UnpackCompressed(std::string_view block) {
  if (block.size() <= kHeaderSize) return {};
  const auto length = static_cast<uint32_t>(GetLittle(block, 0, 8));
  const auto crc = static_cast<uint32_t>(GetLittle(block, 8, 4));
  const std::string_view stream = block.substr(kHeaderSize);
  if (length > stream.size() * kMaxRatio) return {};
  try {
    std::string data(length, '\0');
    const uint64_t produced = InflateBuffer(stream.data(), data.data(), stream.size(), data.size());
    data.resize(produced);
    if (Crc32(data) != crc) return {};
    return data;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace palvetta
