#include "pe/pe_image.h"

#include <cstring>

namespace palvetta {
namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kFileHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;

// Offsets in the optional header that differ between PE32 and PE32+.
struct TOptionalHeaderLayout {
  size_t NumberOfRvaAndSizes;
  size_t DataDirectories;
};
constexpr TOptionalHeaderLayout kPe32 = {92, 96};
// PE32+ has a 64-bit image base and 64-bit stack and heap sizes: 16 bytes more.
constexpr TOptionalHeaderLayout kPe32Plus = {108, 112};
constexpr size_t kSizeOfImage = 56;

template <class T>
std::optional<T> ReadAt(const uint8_t* bytes, size_t size, size_t offset) noexcept {
  if (offset > size || size - offset < sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, bytes + offset, sizeof(T));
  return value;
}

}  // namespace

std::optional<TPeImage> TPeImage::Open(const uint8_t* bytes, size_t size, TPeLayout layout) noexcept {
  if (!bytes || size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return std::nullopt;
  const auto ntHeaders = ReadAt<uint32_t>(bytes, size, 0x3C);
  if (!ntHeaders) return std::nullopt;
  const auto signature = ReadAt<uint32_t>(bytes, size, *ntHeaders);
  if (!signature || *signature != 0x00004550) return std::nullopt;
  const auto magic = ReadAt<uint16_t>(bytes, size, size_t{*ntHeaders} + 4 + kFileHeaderSize);
  if (!magic || (*magic != kPe32Magic && *magic != kPe32PlusMagic)) return std::nullopt;
  TPeImage image(bytes, size, layout, *ntHeaders, *magic == kPe32PlusMagic);
  image.IndexSections();
  return image;
}

void TPeImage::IndexSections() noexcept {
  const unsigned count = SectionCount();
  uint32_t previous = 0;
  for (FMappedSections = 0; FMappedSections < count; ++FMappedSections) {
    const auto section = Section(FMappedSections);
    if (!section) break;
    if (section->VirtualAddress < previous) FSectionsAscend = false;
    previous = section->VirtualAddress;
  }
}

uint32_t TPeImage::SectionAddress(unsigned index) const noexcept {
  return Section(index).value_or(TPeSection{}).VirtualAddress;
}

std::optional<uint32_t> TPeImage::RawU32(size_t offset) const noexcept { return ReadAt<uint32_t>(FBytes, FSize, offset); }
std::optional<uint16_t> TPeImage::RawU16(size_t offset) const noexcept { return ReadAt<uint16_t>(FBytes, FSize, offset); }

uint32_t TPeImage::SizeOfImage() const noexcept { return RawU32(OptionalHeader() + kSizeOfImage).value_or(0); }

uint64_t TPeImage::ImageBase() const noexcept {
  if (FPe32Plus) return ReadAt<uint64_t>(FBytes, FSize, OptionalHeader() + 24).value_or(0);
  return RawU32(OptionalHeader() + 28).value_or(0);
}

TDataDirectory TPeImage::Directory(unsigned index) const noexcept {
  const TOptionalHeaderLayout& layout = FPe32Plus ? kPe32Plus : kPe32;
  const auto count = RawU32(OptionalHeader() + layout.NumberOfRvaAndSizes);
  if (!count || index >= *count) return {};
  const size_t entry = OptionalHeader() + layout.DataDirectories + size_t{index} * 8;
  const auto rva = RawU32(entry);
  const auto length = RawU32(entry + 4);
  if (!rva || !length) return {};
  return {*rva, *length};
}

unsigned TPeImage::SectionCount() const noexcept { return RawU16(size_t{FNtHeaders} + 6).value_or(0); }

std::optional<TPeSection> TPeImage::Section(unsigned index) const noexcept {
  const auto optionalSize = RawU16(size_t{FNtHeaders} + 20);
  if (!optionalSize || index >= SectionCount()) return std::nullopt;
  const size_t header = OptionalHeader() + *optionalSize + size_t{index} * kSectionHeaderSize;
  const auto virtualSize = RawU32(header + 8);
  const auto virtualAddress = RawU32(header + 12);
  const auto rawSize = RawU32(header + 16);
  const auto rawOffset = RawU32(header + 20);
  const auto characteristics = RawU32(header + 36);
  if (!virtualSize || !virtualAddress || !rawSize || !rawOffset || !characteristics) return std::nullopt;
  return TPeSection{*virtualSize, *virtualAddress, *rawSize, *rawOffset, *characteristics};
}

std::optional<uint32_t> TPeImage::RvaToFileOffset(uint32_t rva) const noexcept {
  if (!FSectionsAscend) return std::nullopt;
  // The number of leading sections that start at or below the RVA.
  unsigned low = 0, high = FMappedSections;
  while (low < high) {
    const unsigned middle = low + (high - low) / 2;
    if (SectionAddress(middle) <= rva)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == 0) return rva;
  const TPeSection section = *Section(low - 1);
  return rva - section.VirtualAddress + section.PointerToRawData;
}

size_t TPeImage::OffsetOfRva(uint32_t rva) const noexcept {
  if (FLayout == TPeLayout::plLoaded) return rva;
  return RvaToFileOffset(rva).value_or(SIZE_MAX);
}

const uint8_t* TPeImage::At(uint32_t rva, size_t count) const noexcept {
  const size_t offset = OffsetOfRva(rva);
  if (offset > FSize || FSize - offset < count) return nullptr;
  return FBytes + offset;
}

std::optional<uint16_t> TPeImage::U16At(uint32_t rva) const noexcept { return ReadAt<uint16_t>(FBytes, FSize, OffsetOfRva(rva)); }
std::optional<uint32_t> TPeImage::U32At(uint32_t rva) const noexcept { return ReadAt<uint32_t>(FBytes, FSize, OffsetOfRva(rva)); }
std::optional<uint64_t> TPeImage::U64At(uint32_t rva) const noexcept { return ReadAt<uint64_t>(FBytes, FSize, OffsetOfRva(rva)); }

std::optional<std::string_view> TPeImage::StringAt(uint32_t rva) const noexcept {
  const size_t offset = OffsetOfRva(rva);
  if (offset >= FSize) return std::nullopt;
  const auto* start = reinterpret_cast<const char*>(FBytes + offset);
  const void* end = std::memchr(start, 0, FSize - offset);
  if (!end) return std::nullopt;
  return std::string_view(start, static_cast<size_t>(static_cast<const char*>(end) - start));
}

}  // namespace palvetta
