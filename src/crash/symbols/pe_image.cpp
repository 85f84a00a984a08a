#include "crash/symbols/pe_image.h"

#include <algorithm>

#include "crash/text/case_folding.h"

namespace palvetta {

namespace {

constexpr uint32_t kScnCode = 0x00000020;
constexpr uint32_t kScnInitializedData = 0x00000040;
constexpr uint32_t kScnUninitializedData = 0x00000080;
constexpr uint32_t kScnExecute = 0x20000000;
constexpr uint16_t kMagic32 = 0x10B;
constexpr uint16_t kMagic64 = 0x20B;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kHighBit = 0x80000000;

bool Has(std::string_view bytes, size_t offset, size_t size) {
  return offset <= bytes.size() && size <= bytes.size() - offset;
}

uint16_t U16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

uint32_t U32(std::string_view bytes, size_t at) { return U16(bytes, at) | uint32_t{U16(bytes, at + 2)} << 16; }

uint64_t U64(std::string_view bytes, size_t at) { return U32(bytes, at) | uint64_t{U32(bytes, at + 4)} << 32; }

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return FoldCharW(x) == FoldCharW(y); });
}

}  // namespace

bool TPeSection::HoldsCode() const { return (Characteristics & (kScnCode | kScnExecute)) != 0; }

bool TPeSection::HoldsData() const {
  return (Characteristics & (kScnInitializedData | kScnUninitializedData)) != 0 && !HoldsCode();
}

bool TPeImage::Parse(std::string_view bytes, TPeLayout layout) {
  *this = TPeImage();
  FBytes = bytes;
  FLayout = layout;
  if (!Has(bytes, 0, 64) || bytes.substr(0, 2) != "MZ") return false;
  const uint32_t pe = U32(bytes, 0x3C);
  if (!Has(bytes, pe, 24) || bytes.substr(pe, 4) != std::string_view("PE\0\0", 4)) return false;
  const uint16_t sectionCount = U16(bytes, pe + 6);
  const uint16_t optionalSize = U16(bytes, pe + 20);
  const size_t optional = pe + 24;
  if (!Has(bytes, optional, optionalSize) || optionalSize < 2) return false;
  const uint16_t magic = U16(bytes, optional);
  if (magic != kMagic32 && magic != kMagic64) return false;
  FIs64Bit = magic == kMagic64;
  const size_t directories = optional + (FIs64Bit ? 112 : 96);
  if (optionalSize < (FIs64Bit ? 112 : 96)) return false;
  FSizeOfCode = U32(bytes, optional + 4);
  FSizeOfInitializedData = U32(bytes, optional + 8);
  FSizeOfUninitializedData = U32(bytes, optional + 12);
  FEntryPoint = U32(bytes, optional + 16);
  FBaseOfCode = U32(bytes, optional + 20);
  FBaseOfData = FIs64Bit ? 0 : U32(bytes, optional + 24);
  FImageBase = FIs64Bit ? U64(bytes, optional + 24) : U32(bytes, optional + 28);
  FSizeOfImage = U32(bytes, optional + 56);
  const uint32_t directoryCount = U32(bytes, directories - 4);
  if (directoryCount > kResourceDirectory &&
      directories + (kResourceDirectory + 1) * 8 <= optional + optionalSize) {
    FResourceRva = U32(bytes, directories + kResourceDirectory * 8);
    FResourceSize = U32(bytes, directories + kResourceDirectory * 8 + 4);
  }
  const size_t table = optional + optionalSize;
  if (!Has(bytes, table, size_t{sectionCount} * 40)) return false;
  for (size_t i = 0; i < sectionCount; ++i) {
    const size_t at = table + i * 40;
    TPeSection section;
    section.Name = std::string(bytes.substr(at, 8));
    section.Name.resize(std::min(section.Name.find('\0'), section.Name.size()));
    section.VirtualSize = U32(bytes, at + 8);
    section.VirtualAddress = U32(bytes, at + 12);
    section.RawSize = U32(bytes, at + 16);
    section.RawOffset = U32(bytes, at + 20);
    section.Characteristics = U32(bytes, at + 36);
    FSections.push_back(std::move(section));
  }
  return true;
}

bool TPeImage::RvaToOffset(uint32_t rva, uint32_t size, size_t& offset) const {
  if (FLayout == TPeLayout::plMapped) {
    offset = rva;
    return Has(FBytes, offset, size);
  }
  for (const TPeSection& section : FSections) {
    const uint64_t start = section.VirtualAddress;
    if (rva >= start && uint64_t{rva} + size <= start + section.RawSize) {
      offset = section.RawOffset + (rva - section.VirtualAddress);
      return Has(FBytes, offset, size);
    }
  }
  return false;
}

std::string_view TPeImage::AtRva(uint32_t rva, uint32_t size) const {
  size_t offset = 0;
  if (!RvaToOffset(rva, size, offset)) return {};
  return FBytes.substr(offset, size);
}

uint32_t TPeImage::FindResourceEntry(std::string_view resources, uint32_t directoryOffset,
                                     std::u16string_view name, bool firstOfAny) const {
  if (!Has(resources, directoryOffset, 16)) return 0;
  const uint32_t named = U16(resources, directoryOffset + 12);
  const uint32_t numbered = U16(resources, directoryOffset + 14);
  const uint32_t entries = firstOfAny ? named + numbered : named;
  for (uint32_t i = 0; i < entries; ++i) {
    const size_t at = directoryOffset + 16 + size_t{i} * 8;
    if (!Has(resources, at, 8)) return 0;
    const uint32_t target = U32(resources, at + 4);
    if (firstOfAny) return target;
    const uint32_t nameField = U32(resources, at);
    if ((nameField & kHighBit) == 0) continue;
    const size_t nameAt = nameField & ~kHighBit;
    if (!Has(resources, nameAt, 2)) continue;
    const size_t length = U16(resources, nameAt);
    if (!Has(resources, nameAt + 2, length * 2)) continue;
    std::u16string entryName(length, u'\0');
    for (size_t c = 0; c < length; ++c) entryName[c] = static_cast<char16_t>(U16(resources, nameAt + 2 + c * 2));
    if (SameNameIgnoringCase(entryName, name)) return target;
  }
  return 0;
}

std::string_view TPeImage::FindResource(std::u16string_view type, std::u16string_view name) const {
  const std::string_view resources = AtRva(FResourceRva, FResourceSize);
  if (resources.empty()) return {};
  // Three levels: type, name, language; the first two point at directories, the last at
  // a data entry.
  const uint32_t typeEntry = FindResourceEntry(resources, 0, type, false);
  if ((typeEntry & kHighBit) == 0) return {};
  const uint32_t nameEntry = FindResourceEntry(resources, typeEntry & ~kHighBit, name, false);
  if ((nameEntry & kHighBit) == 0) return {};
  const uint32_t languageEntry = FindResourceEntry(resources, nameEntry & ~kHighBit, {}, true);
  if (languageEntry == 0 || (languageEntry & kHighBit) != 0 || !Has(resources, languageEntry, 16)) return {};
  return AtRva(U32(resources, languageEntry), U32(resources, languageEntry + 4));
}

TCodeRanges TPeImage::CodeRanges(uintptr_t hInstance) const {
  TCodeRanges ranges;
  ranges.HInstance = hInstance;
  if (!FSections.empty() && FSections[0].HoldsCode()) {
    const TPeSection& first = FSections[0];
    ranges.BaseOfCode = hInstance + first.VirtualAddress;
    ranges.TopOfCode = ranges.BaseOfCode + first.VirtualSize;
    if (FSections.size() > 1 && FSections[1].HoldsCode()) {
      ranges.TopOfCode = hInstance + FSections[1].VirtualAddress + FSections[1].VirtualSize;
    }
  } else {
    ranges.BaseOfCode = hInstance + FBaseOfCode;
    ranges.TopOfCode = ranges.BaseOfCode + FSizeOfCode;
  }
  ranges.BaseOfData = ranges.TopOfCode;
  if (!FIs64Bit) {
    ranges.BaseOfData = hInstance + FBaseOfData;
  } else {
    const auto data = std::find_if(FSections.begin(), FSections.end(), [](const TPeSection& s) { return s.HoldsData(); });
    if (data != FSections.end()) ranges.BaseOfData = hInstance + data->VirtualAddress;
  }
  ranges.TopOfData = ranges.BaseOfData + FSizeOfInitializedData + FSizeOfUninitializedData;
  return ranges;
}

}  // namespace palvetta
