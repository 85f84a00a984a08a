#pragma once
// The contents of one entry of a ZIP archive held in memory, inflated and checked against
// the entry's CRC-32. The entry's size fields come from the archive itself, so they only
// bound the output: the buffer grows with what the stream really produces, and a stream
// that would produce more than the entry claims is damage, not a reason to allocate it.

#include <string>
#include <string_view>

#include "app/zip_directory.h"

namespace palvetta {

// Raises TZipFormatError for a compression other than stored or deflated, a stream that
// is damaged, ends early or runs past the entry's uncompressed size, and for contents
// whose CRC-32 differs from the entry's.
std::string ZipEntryContents(std::string_view archive, const TZipEntry& entry);

}  // namespace palvetta
