#pragma once
// Reading a file that goes into a ZIP archive: contents, attributes and local
// modification time. Windows opens it shared for reading and writing, so a log the
// program still writes can be packed.

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/dos_date_time.h"

namespace palvetta {

struct TZipSource {
  std::string Bytes;
  uint32_t Attributes = 0;  // the Windows file attributes; 0 on other systems
  TLocalDateTime Modified{};
};

enum class TZipSourceStatus { zssRead, zssUnreadable, zssTooLarge };

// Files of 4 GiB or more do not fit an entry without ZIP64 extensions and are not read.
inline constexpr uint64_t kZipMaxFileSize = 0xFFFFFFFFu;

// Never throws.
TZipSourceStatus ReadZipSource(std::string_view pathUtf8, TZipSource& source);

}  // namespace palvetta
