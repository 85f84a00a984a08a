#include "pe_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace palvetta::testing {
namespace {

template <typename T>
bool Get(const std::vector<uint8_t>& bytes, size_t offset, T& value) {
  if (offset > bytes.size() || sizeof(T) > bytes.size() - offset) return false;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return true;
}

}  // namespace

std::vector<uint8_t> TPeFile::Image() const {
  size_t size = 0;
  for (const TPeSection& section : Sections) {
    size = std::max<size_t>(size, section.VirtualAddress + std::max<size_t>(section.VirtualSize, section.Data.size()));
  }
  std::vector<uint8_t> image(size);
  for (const TPeSection& section : Sections) {
    std::copy(section.Data.begin(), section.Data.end(), image.begin() + section.VirtualAddress);
  }
  return image;
}

bool ReadPeFile(const std::filesystem::path& path, TPeFile& pe) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  uint32_t peOffset = 0, signature = 0;
  uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (!Get(bytes, 0x3C, peOffset) || !Get(bytes, peOffset, signature) || signature != 0x4550) return false;
  const size_t coff = peOffset + 4;
  if (!Get(bytes, coff + 2, sectionCount) || !Get(bytes, coff + 16, optionalSize)) return false;
  const size_t optional = coff + 20;
  if (!Get(bytes, optional, magic) || (magic != 0x10B && magic != 0x20B)) return false;
  pe.Is64 = magic == 0x20B;
  if (pe.Is64) {
    if (!Get(bytes, optional + 24, pe.ImageBase)) return false;
  } else {
    uint32_t base = 0;
    if (!Get(bytes, optional + 28, base)) return false;
    pe.ImageBase = base;
  }
  size_t table = optional + optionalSize;
  for (int i = 0; i < sectionCount; ++i, table += 40) {
    TPeSection section;
    char name[9] = {};
    uint32_t rawSize = 0, rawOffset = 0;
    if (table + 40 > bytes.size()) return false;
    std::memcpy(name, bytes.data() + table, 8);
    section.Name = name;
    Get(bytes, table + 8, section.VirtualSize);
    Get(bytes, table + 12, section.VirtualAddress);
    Get(bytes, table + 16, rawSize);
    Get(bytes, table + 20, rawOffset);
    Get(bytes, table + 36, section.Characteristics);
    if (rawOffset < bytes.size()) {
      const size_t available = std::min<size_t>(rawSize, bytes.size() - rawOffset);
      section.Data.assign(bytes.begin() + rawOffset, bytes.begin() + rawOffset + available);
    }
    if (section.Data.size() > section.VirtualSize && section.VirtualSize != 0) section.Data.resize(section.VirtualSize);
    pe.Sections.push_back(std::move(section));
  }
  for (const TPeSection& section : pe.Sections) {
    if (section.Name != ".pdata") continue;
    for (size_t at = 0; at + 12 <= section.Data.size(); at += 12) {
      TPeFunction function;
      std::memcpy(&function.Begin, section.Data.data() + at, 4);
      std::memcpy(&function.End, section.Data.data() + at + 4, 4);
      if (function.Begin != 0) pe.Functions.push_back(function);
    }
  }
  return true;
}

}  // namespace palvetta::testing
