#pragma once
// A reader of PE images (PE32 and PE32+) over a range of bytes: a module as the loader
// laid it out in memory (an RVA is an offset from its start) or the module's file (an RVA
// goes through the section table). Every read is checked against the range, so any bytes
// may be given: a reader answers 0, nothing or false where the image does not hold what
// it expects. Nothing here allocates or throws.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace palvetta {

enum class TPeLayout { plLoaded, plFile };

struct TDataDirectory {
  uint32_t Rva = 0;
  uint32_t Size = 0;
};

struct TPeSection {
  uint32_t VirtualSize = 0;
  uint32_t VirtualAddress = 0;
  uint32_t SizeOfRawData = 0;
  uint32_t PointerToRawData = 0;
  uint32_t Characteristics = 0;
};

// Data directory indexes.
constexpr unsigned kExportDirectory = 0;
constexpr unsigned kImportDirectory = 1;
constexpr unsigned kResourceDirectory = 2;

class TPeImage {
 public:
  // The image, when the bytes start with "MZ" and the offset at 0x3C leads to "PE\0\0"
  // followed by a file header and an optional header of a known kind.
  static std::optional<TPeImage> Open(const uint8_t* bytes, size_t size, TPeLayout layout) noexcept;

  const uint8_t* Bytes() const noexcept { return FBytes; }
  size_t Size() const noexcept { return FSize; }
  bool IsPe32Plus() const noexcept { return FPe32Plus; }
  uint32_t NtHeadersOffset() const noexcept { return FNtHeaders; }
  uint32_t SizeOfImage() const noexcept;
  uint64_t ImageBase() const noexcept;
  // A data directory's RVA and size; zero when the image has fewer directories.
  TDataDirectory Directory(unsigned index) const noexcept;
  unsigned SectionCount() const noexcept;
  std::optional<TPeSection> Section(unsigned index) const noexcept;

  // The file offset of an RVA: the last section whose start is at or below it maps it
  // (so the last section takes everything above its start); an RVA before every section
  // is returned unchanged. Nothing when the section addresses descend somewhere: the
  // loader refuses such a table, and a binary search over it would answer at random.
  // The table is read up to its first section outside the bytes.
  std::optional<uint32_t> RvaToFileOffset(uint32_t rva) const noexcept;

  // count bytes at an RVA, nullptr when they do not lie wholly inside the range.
  const uint8_t* At(uint32_t rva, size_t count) const noexcept;
  std::optional<uint16_t> U16At(uint32_t rva) const noexcept;
  std::optional<uint32_t> U32At(uint32_t rva) const noexcept;
  std::optional<uint64_t> U64At(uint32_t rva) const noexcept;
  // The zero-terminated text at an RVA; nothing when its end lies outside the range.
  std::optional<std::string_view> StringAt(uint32_t rva) const noexcept;

 private:
  TPeImage(const uint8_t* bytes, size_t size, TPeLayout layout, uint32_t ntHeaders, bool pe32Plus) noexcept
      : FBytes(bytes), FSize(size), FLayout(layout), FNtHeaders(ntHeaders), FPe32Plus(pe32Plus) {}
  // Counts the sections inside the bytes and checks their order, once, so that mapping
  // an RVA is a binary search rather than a scan of the table for every read.
  void IndexSections() noexcept;
  uint32_t SectionAddress(unsigned index) const noexcept;
  // Offset reads of the raw range, before any RVA mapping.
  std::optional<uint32_t> RawU32(size_t offset) const noexcept;
  std::optional<uint16_t> RawU16(size_t offset) const noexcept;
  size_t OptionalHeader() const noexcept { return size_t{FNtHeaders} + 24; }
  size_t OffsetOfRva(uint32_t rva) const noexcept;

  const uint8_t* FBytes;
  size_t FSize;
  TPeLayout FLayout;
  uint32_t FNtHeaders;
  bool FPe32Plus;
  unsigned FMappedSections = 0;  // the sections before the first one outside the bytes
  bool FSectionsAscend = true;
};

}  // namespace palvetta
