#include "crash/symbols/pe_resources.h"

#include <algorithm>
#include <optional>

#include "base/case_folding.h"

namespace palvetta {

namespace {

constexpr uint32_t kScnCode = 0x00000020;
constexpr uint32_t kScnInitializedData = 0x00000040;
constexpr uint32_t kScnUninitializedData = 0x00000080;
constexpr uint32_t kScnExecute = 0x20000000;
constexpr uint32_t kHighBit = 0x80000000;

bool HoldsCode(const TPeSection& section) { return (section.Characteristics & (kScnCode | kScnExecute)) != 0; }

bool HoldsData(const TPeSection& section) {
  return (section.Characteristics & (kScnInitializedData | kScnUninitializedData)) != 0 && !HoldsCode(section);
}

// A header field: the headers lie below every section, where an RVA is the same offset
// in a file and in memory.
uint32_t HeaderU32(const TPeImage& image, size_t offsetInOptionalHeader) {
  return image.U32At(image.NtHeadersOffset() + 24 + static_cast<uint32_t>(offsetInOptionalHeader)).value_or(0);
}

// Reads the resource tree inside the resource directory's bytes.
class TResourceTree {
 public:
  TResourceTree(const TPeImage& image, uint32_t rva, uint32_t size) : FImage(image), FRva(rva), FSize(size) {}

  // The entry named so in the directory at offset (or, with firstOfAny, its first
  // entry of any kind): its target field, 0 when none.
  uint32_t Entry(uint32_t directory, std::u16string_view name, bool firstOfAny) const {
    const auto named = U16(directory + 12);
    const auto numbered = U16(directory + 14);
    if (!named || !numbered) return 0;
    const uint32_t entries = firstOfAny ? *named + *numbered : *named;
    for (uint32_t i = 0; i < entries; ++i) {
      const uint32_t at = directory + 16 + i * 8;
      const auto nameField = U32(at);
      const auto target = U32(at + 4);
      if (!nameField || !target) return 0;
      if (firstOfAny) return *target;
      if ((*nameField & kHighBit) != 0 && NameEquals(*nameField & ~kHighBit, name)) return *target;
    }
    return 0;
  }
  std::optional<uint32_t> U32(uint32_t offset) const { return Inside(offset, 4) ? FImage.U32At(FRva + offset) : std::nullopt; }

 private:
  bool Inside(uint32_t offset, uint32_t count) const { return offset <= FSize && count <= FSize - offset; }
  std::optional<uint16_t> U16(uint32_t offset) const { return Inside(offset, 2) ? FImage.U16At(FRva + offset) : std::nullopt; }
  bool NameEquals(uint32_t offset, std::u16string_view name) const {
    const auto length = U16(offset);
    if (!length || *length != name.size()) return false;
    for (uint32_t i = 0; i < *length; ++i) {
      const auto character = U16(offset + 2 + i * 2);
      if (!character || FoldCharW(static_cast<char16_t>(*character)) != FoldCharW(name[i])) return false;
    }
    return true;
  }

  const TPeImage& FImage;
  uint32_t FRva;
  uint32_t FSize;
};

}  // namespace

std::string_view FindNamedResource(const TPeImage& image, std::u16string_view type, std::u16string_view name) {
  const TDataDirectory directory = image.Directory(kResourceDirectory);
  if (directory.Rva == 0 || directory.Size == 0) return {};
  const TResourceTree tree(image, directory.Rva, directory.Size);
  // Three levels: type, name, language; the first two lead to directories, the last to
  // a data entry.
  const uint32_t typeEntry = tree.Entry(0, type, false);
  if ((typeEntry & kHighBit) == 0) return {};
  const uint32_t nameEntry = tree.Entry(typeEntry & ~kHighBit, name, false);
  if ((nameEntry & kHighBit) == 0) return {};
  const uint32_t languageEntry = tree.Entry(nameEntry & ~kHighBit, {}, true);
  if (languageEntry == 0 || (languageEntry & kHighBit) != 0) return {};
  const auto dataRva = tree.U32(languageEntry);
  const auto dataSize = tree.U32(languageEntry + 4);
  if (!dataRva || !dataSize) return {};
  const uint8_t* data = image.At(*dataRva, *dataSize);
  if (data == nullptr) return {};
  return {reinterpret_cast<const char*>(data), *dataSize};
}

TCodeRanges CodeRangesOf(const TPeImage& image, uintptr_t hInstance) {
  TCodeRanges ranges;
  ranges.HInstance = hInstance;
  const std::optional<TPeSection> first = image.Section(0);
  const std::optional<TPeSection> second = image.Section(1);
  if (first && HoldsCode(*first)) {
    ranges.BaseOfCode = hInstance + first->VirtualAddress;
    ranges.TopOfCode = ranges.BaseOfCode + first->VirtualSize;
    if (second && HoldsCode(*second)) ranges.TopOfCode = hInstance + second->VirtualAddress + second->VirtualSize;
  } else {
    ranges.BaseOfCode = hInstance + HeaderU32(image, 20);
    ranges.TopOfCode = ranges.BaseOfCode + HeaderU32(image, 4);
  }
  ranges.BaseOfData = ranges.TopOfCode;
  if (!image.IsPe32Plus()) {
    ranges.BaseOfData = hInstance + HeaderU32(image, 24);
  } else {
    for (unsigned i = 0; i < image.SectionCount(); ++i) {
      const std::optional<TPeSection> section = image.Section(i);
      if (section && HoldsData(*section)) {
        ranges.BaseOfData = hInstance + section->VirtualAddress;
        break;
      }
    }
  }
  ranges.TopOfData = ranges.BaseOfData + HeaderU32(image, 8) + HeaderU32(image, 12);
  return ranges;
}

uint32_t EntryPointRva(const TPeImage& image) { return HeaderU32(image, 16); }

}  // namespace palvetta
