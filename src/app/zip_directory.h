#pragma once
// Reads the central directory of a ZIP archive held in memory: the entries' names, how
// they are stored and where their data lies. The data itself is left to the caller.
// Everything is checked against the archive's bounds; a damaged archive raises
// TZipFormatError instead of reading past its end.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

class TZipFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr uint16_t kZipStored = 0;
inline constexpr uint16_t kZipDeflated = 8;

struct TZipEntry {
  std::string Name;  // as stored, folders included ("setup/Palvetta_Setup_v2.8.exe")
  uint16_t Method = kZipStored;
  uint16_t Flags = 0;
  uint32_t Crc32 = 0;
  uint64_t CompressedSize = 0;
  uint64_t UncompressedSize = 0;
  uint64_t DataOffset = 0;  // of the entry's data within the archive
};

std::vector<TZipEntry> ReadZipDirectory(std::string_view archive);

// The name without its folders.
std::string_view ZipFileNamePart(std::string_view name);
// The first entry whose file name part equals fileName, ignoring ASCII case.
std::optional<TZipEntry> FindZipEntryByFileName(const std::vector<TZipEntry>& entries,
                                                std::string_view fileName);
// The entry's stored bytes, checked to lie within the archive.
std::string_view ZipEntryData(std::string_view archive, const TZipEntry& entry);

}  // namespace palvetta
