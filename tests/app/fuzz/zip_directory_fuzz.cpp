// Feeds arbitrary bytes to the reader of the downloaded package: its ZIP directory and the
// extraction of its entries. A damaged archive must end in TZipFormatError, never a crash,
// a read outside the bytes or an allocation the archive's size fields ask for; every entry
// it lists must have its data inside the archive, and what it extracts must be as long as
// the entry says.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/zip_directory.h"
#include "app/zip_entry_contents.h"

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
    for (const auto& entry : entries) {
      try {
        if (palvetta::ZipEntryContents(archive, entry).size() != entry.UncompressedSize) std::abort();
      } catch (const palvetta::TZipFormatError&) {
      }
    }
  } catch (const palvetta::TZipFormatError&) {
  }
  return 0;
}
