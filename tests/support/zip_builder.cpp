#include "support/zip_builder.h"

#include <zlib.h>

#include <cstdint>
#include <stdexcept>

namespace palvetta {
namespace {

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xff);
  out += static_cast<char>((value >> 8) & 0xff);
}
void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xffff);
  Put16(out, value >> 16);
}

std::string RawDeflate(const std::string& data) {
  z_stream stream = {};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

}  // namespace

std::string BuildZipArchive(const std::vector<TZipBuilderEntry>& entries) {
  std::string archive;
  std::string directory;
  for (const TZipBuilderEntry& entry : entries) {
    const std::string stored = entry.Deflate ? RawDeflate(entry.Contents) : entry.Contents;
    const auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(entry.Contents.data()),
              static_cast<uInt>(entry.Contents.size())));
    const auto offset = static_cast<uint32_t>(archive.size());
    const uint32_t method = entry.Deflate ? 8 : 0;
    // Local header, then the same facts in the directory.
    Put32(archive, 0x04034b50);
    Put16(archive, 20);
    Put16(archive, 0);
    Put16(archive, method);
    Put32(archive, 0);  // time and date
    Put32(archive, crc);
    Put32(archive, static_cast<uint32_t>(stored.size()));
    Put32(archive, static_cast<uint32_t>(entry.Contents.size()));
    Put16(archive, static_cast<uint32_t>(entry.Name.size()));
    Put16(archive, 0);
    archive += entry.Name;
    archive += stored;

    Put32(directory, 0x02014b50);
    Put16(directory, 20);
    Put16(directory, 20);
    Put16(directory, 0);
    Put16(directory, method);
    Put32(directory, 0);
    Put32(directory, crc);
    Put32(directory, static_cast<uint32_t>(stored.size()));
    Put32(directory, static_cast<uint32_t>(entry.Contents.size()));
    Put16(directory, static_cast<uint32_t>(entry.Name.size()));
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put32(directory, 0);
    Put32(directory, offset);
    directory += entry.Name;
  }
  const auto directoryOffset = static_cast<uint32_t>(archive.size());
  archive += directory;
  Put32(archive, 0x06054b50);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put16(archive, static_cast<uint32_t>(entries.size()));
  Put32(archive, static_cast<uint32_t>(directory.size()));
  Put32(archive, directoryOffset);
  Put16(archive, 0);
  return archive;
}

}  // namespace palvetta
