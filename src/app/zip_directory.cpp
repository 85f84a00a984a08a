#include "app/zip_directory.h"

#include "base/text.h"

namespace palvetta {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::size_t kMaxComment = 0xffff;
constexpr uint32_t kZip64Marker = 0xffffffff;

// Little-endian fields at an offset already checked to lie within the bytes.
uint16_t U16(std::string_view bytes, std::size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}
uint32_t U32(std::string_view bytes, std::size_t at) {
  return static_cast<uint32_t>(U16(bytes, at)) | static_cast<uint32_t>(U16(bytes, at + 2)) << 16;
}

void Require(bool condition, const char* what) {
  if (!condition) throw TZipFormatError(std::string("The archive is damaged: ") + what + ".");
}

bool Fits(std::string_view bytes, uint64_t offset, uint64_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

std::size_t FindEndRecord(std::string_view archive) {
  Require(archive.size() >= kEndSize, "too short for a ZIP archive");
  const std::size_t last = archive.size() - kEndSize;
  const std::size_t first = last > kMaxComment ? last - kMaxComment : 0;
  for (std::size_t at = last + 1; at-- > first;) {
    if (U32(archive, at) == kEndSignature && at + kEndSize + U16(archive, at + 20) == archive.size()) {
      return at;
    }
  }
  throw TZipFormatError("The archive is damaged: no end of the central directory.");
}

uint64_t DataOffsetOf(std::string_view archive, uint32_t localOffset) {
  Require(Fits(archive, localOffset, kLocalSize) && U32(archive, localOffset) == kLocalSignature,
          "an entry's local header is missing");
  return uint64_t{localOffset} + kLocalSize + U16(archive, localOffset + 26) +
         U16(archive, localOffset + 28);
}

}  // namespace

std::vector<TZipEntry> ReadZipDirectory(std::string_view archive) {
  const std::size_t end = FindEndRecord(archive);
  const uint16_t count = U16(archive, end + 10);
  const uint32_t size = U32(archive, end + 12);
  const uint32_t offset = U32(archive, end + 16);
  Require(offset != kZip64Marker && U16(archive, end + 10) != 0xffff, "ZIP64 archives are not read");
  Require(Fits(archive, offset, size) && offset + uint64_t{size} <= end,
          "the central directory lies outside the archive");
  std::vector<TZipEntry> entries;
  std::size_t at = offset;
  const std::size_t directoryEnd = offset + size;
  for (uint16_t i = 0; i < count; ++i) {
    Require(at + kCentralSize <= directoryEnd && U32(archive, at) == kCentralSignature,
            "a directory entry is cut short");
    const std::size_t nameLength = U16(archive, at + 28);
    const std::size_t rest = nameLength + U16(archive, at + 30) + U16(archive, at + 32);
    Require(at + kCentralSize + rest <= directoryEnd, "a directory entry is cut short");
    TZipEntry entry;
    entry.Flags = U16(archive, at + 8);
    entry.Method = U16(archive, at + 10);
    entry.Crc32 = U32(archive, at + 16);
    entry.CompressedSize = U32(archive, at + 20);
    entry.UncompressedSize = U32(archive, at + 24);
    Require(entry.CompressedSize != kZip64Marker && entry.UncompressedSize != kZip64Marker,
            "ZIP64 entries are not read");
    entry.Name = std::string(archive.substr(at + kCentralSize, nameLength));
    entry.DataOffset = DataOffsetOf(archive, U32(archive, at + 42));
    Require(Fits(archive, entry.DataOffset, entry.CompressedSize),
            "an entry's data lies outside the archive");
    entries.push_back(std::move(entry));
    at += kCentralSize + rest;
  }
  return entries;
}

std::string_view ZipFileNamePart(std::string_view name) {
  const std::size_t slash = name.find_last_of("/\\");
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::optional<TZipEntry> FindZipEntryByFileName(const std::vector<TZipEntry>& entries,
                                                std::string_view fileName) {
  for (const TZipEntry& entry : entries) {
    if (SameTextAscii(ZipFileNamePart(entry.Name), fileName)) return entry;
  }
  return std::nullopt;
}

std::string_view ZipEntryData(std::string_view archive, const TZipEntry& entry) {
  Require(Fits(archive, entry.DataOffset, entry.CompressedSize),
          "an entry's data lies outside the archive");
  return archive.substr(static_cast<std::size_t>(entry.DataOffset),
                        static_cast<std::size_t>(entry.CompressedSize));
}

}  // namespace palvetta
