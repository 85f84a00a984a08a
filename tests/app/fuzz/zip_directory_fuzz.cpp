// Feeds arbitrary bytes to the ZIP directory reader. A damaged archive must end in
// TZipFormatError, never a crash or a read outside the bytes; every entry it lists must
// have its data inside the archive.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/zip_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view archive(reinterpret_cast<const char*>(data), size);
  try {
    const auto entries = palvetta::ReadZipDirectory(archive);
    for (const auto& entry : entries) {
      const std::string_view stored = palvetta::ZipEntryData(archive, entry);
      if (stored.data() < archive.data() || stored.data() + stored.size() > archive.data() + archive.size()) {
        std::abort();
      }
      if (!palvetta::FindZipEntryByFileName(entries, palvetta::ZipFileNamePart(entry.Name))) std::abort();
    }
  } catch (const palvetta::TZipFormatError&) {
  }
  return 0;
}
