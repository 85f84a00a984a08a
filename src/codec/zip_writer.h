#pragma once
// Writing ZIP archives of report attachments: one deflated entry per file, UTF-8 names,
// no ZIP64.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/deflate.h"

namespace palvetta {

enum class TZipSkipReason {
  zsrUnreadable,  // missing, not a file, or could not be read
  zsrTooLarge,    // beyond what an archive without ZIP64 holds: 4 GiB or more, or the
                  // archive would pass 4 GiB or 65535 entries, or a name over 65535 bytes
};

struct TZipSkipped {
  std::string Path;
  TZipSkipReason Reason;
};

struct TZipResult {
  bool Written = false;
  std::vector<TZipSkipped> Skipped;  // for the report: what the archive lacks, and why
};

// Packs the files (UTF-8 paths), each under its send-as name when one is given, else
// its file name. The archive is written to a temporary file that then replaces zipPath;
// when no file could be packed, or writing fails, nothing is left and an old file at
// zipPath stays as it was. Never throws.
TZipResult WriteZipArchive(std::string_view zipPath, const std::vector<std::string>& files,
                           const std::vector<std::string>& sendAsNames);

// An entry's data: deflated, or stored as is when compression fails (only when memory
// runs out), never a deflated entry without data.
struct TZipEntryData {
  uint16_t Method;  // kZipStored or kZipDeflated
  std::string Data;
};
inline constexpr uint16_t kZipStored = 0;
inline constexpr uint16_t kZipDeflated = 8;

using TDeflateFunction = uint64_t (*)(const void*, void*, uint64_t, uint64_t);
TZipEntryData CompressZipEntry(std::string_view contents, TDeflateFunction deflate = DeflateBuffer);

}  // namespace palvetta
