#include "app/zip_entry_contents.h"

#include <zlib.h>

#include <algorithm>

namespace palvetta {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

// zlib's stream, ended however the inflation leaves.
class TInflateStream {
 public:
  TInflateStream() {
    if (inflateInit2(&FStream, -MAX_WBITS) != Z_OK) throw TZipFormatError("The entry cannot be inflated.");
  }
  ~TInflateStream() { inflateEnd(&FStream); }
  TInflateStream(const TInflateStream&) = delete;
  TInflateStream& operator=(const TInflateStream&) = delete;
  z_stream& Get() { return FStream; }

 private:
  z_stream FStream = {};
};

std::string Inflated(std::string_view stored, uint64_t expectedSize) {
  TInflateStream inflater;
  z_stream& stream = inflater.Get();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored.data()));
  stream.avail_in = static_cast<uInt>(std::min<std::size_t>(stored.size(), UINT32_MAX));
  std::string out;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    // One byte of room beyond the claimed size shows a stream that runs past it.
    const uint64_t room = expectedSize + 1 - out.size();
    if (room == 0) break;
    const std::size_t before = out.size();
    out.resize(before + static_cast<std::size_t>(std::min<uint64_t>(room, kChunk)));
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
    stream.avail_out = static_cast<uInt>(out.size() - before);
    result = inflate(&stream, Z_NO_FLUSH);
    out.resize(out.size() - stream.avail_out);
    if (result != Z_OK && result != Z_STREAM_END) throw TZipFormatError("The entry's data is damaged.");
    if (result == Z_OK && stream.avail_out != 0 && stream.avail_in == 0) break;  // the input ended first
  }
  if (result != Z_STREAM_END || out.size() != expectedSize) throw TZipFormatError("The entry's data is damaged.");
  return out;
}

}  // namespace

std::string ZipEntryContents(std::string_view archive, const TZipEntry& entry) {
  const std::string_view stored = ZipEntryData(archive, entry);
  std::string contents;
  if (entry.Method == kZipStored) {
    if (stored.size() != entry.UncompressedSize) throw TZipFormatError("The entry's sizes differ.");
    contents.assign(stored);
  } else if (entry.Method == kZipDeflated) {
    contents = Inflated(stored, entry.UncompressedSize);
  } else {
    throw TZipFormatError("The entry's compression is not read.");
  }
  uLong crc = crc32(0, nullptr, 0);
  for (std::size_t at = 0; at < contents.size(); at += kChunk) {
    const std::size_t length = std::min(kChunk, contents.size() - at);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(contents.data() + at), static_cast<uInt>(length));
  }
  if (crc != entry.Crc32) throw TZipFormatError("The entry's contents do not match its checksum.");
  return contents;
}

}  // namespace palvetta
