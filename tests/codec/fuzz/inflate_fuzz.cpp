// Feeds arbitrary streams to the decoder, with zlib as the judge. The first two bytes give
// the expected output length, the rest is the stream. The decoder must never crash, read
// or write out of bounds, and must accept exactly what zlib decodes cleanly to that
// length (ending on the last byte), with the same output.

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "codec/inflate.h"

namespace {

bool ZlibInflates(const uint8_t* stream, size_t size, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) std::abort();
  z.next_in = const_cast<Bytef*>(stream);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  const bool clean = result == Z_STREAM_END && z.avail_in == 0 && z.total_out == out.size();
  inflateEnd(&z);
  return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t length = data[0] | size_t{data[1]} << 8;
  const uint8_t* stream = data + 2;
  const size_t streamSize = size - 2;

  std::string ours(length, '\0');
  const bool accepted = length != 0 && palvetta::InflateBuffer(stream, ours.data(), streamSize, length) == length;
  std::string theirs(length, '\0');
  const bool zlibAccepts = length != 0 && ZlibInflates(stream, streamSize, theirs);
  if (accepted != zlibAccepts || (accepted && ours != theirs)) std::abort();
  return 0;
}
