#include "pe_builder.h"

#include <algorithm>

namespace palvetta {

namespace {

constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;

void Put16(std::string& out, size_t at, uint32_t value) {
  if (out.size() < at + 2) out.resize(at + 2, '\0');
  out[at] = static_cast<char>(value);
  out[at + 1] = static_cast<char>(value >> 8);
}
void Put32(std::string& out, size_t at, uint32_t value) {
  Put16(out, at, value & 0xFFFF);
  Put16(out, at + 2, value >> 16);
}
void Put64(std::string& out, size_t at, uint64_t value) {
  Put32(out, at, static_cast<uint32_t>(value));
  Put32(out, at + 4, static_cast<uint32_t>(value >> 32));
}

uint32_t Align(size_t value, uint32_t alignment) {
  return static_cast<uint32_t>((value + alignment - 1) / alignment * alignment);
}

// The resource tree: a type directory of named entries, under each a name directory with
// one named entry, under that a language directory with one entry, then the data
// entries, the names and the data.
std::string ResourceSection(const std::vector<TPeResourceSpec>& resources) {
  std::string out;
  const size_t count = resources.size();
  const size_t typeDirectory = 0;
  const size_t nameDirectories = 16 + count * 8;
  const size_t languageDirectories = nameDirectories + count * 24;
  const size_t dataEntries = languageDirectories + count * 24;
  size_t strings = dataEntries + count * 16;
  Put16(out, typeDirectory + 12, static_cast<uint32_t>(count));
  std::vector<size_t> typeNames;
  std::vector<size_t> resourceNames;
  auto addString = [&](const std::u16string& text) {
    const size_t at = strings;
    Put16(out, at, static_cast<uint32_t>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) Put16(out, at + 2 + i * 2, text[i]);
    strings += 2 + text.size() * 2;
    return at;
  };
  for (const TPeResourceSpec& resource : resources) {
    typeNames.push_back(addString(resource.Type));
    resourceNames.push_back(addString(resource.Name));
  }
  size_t data = Align(strings, 8);
  for (size_t i = 0; i < count; ++i) {
    Put32(out, 16 + i * 8, 0x80000000u | static_cast<uint32_t>(typeNames[i]));
    Put32(out, 16 + i * 8 + 4, 0x80000000u | static_cast<uint32_t>(nameDirectories + i * 24));
    Put16(out, nameDirectories + i * 24 + 12, 1);
    Put32(out, nameDirectories + i * 24 + 16, 0x80000000u | static_cast<uint32_t>(resourceNames[i]));
    Put32(out, nameDirectories + i * 24 + 20, 0x80000000u | static_cast<uint32_t>(languageDirectories + i * 24));
    Put16(out, languageDirectories + i * 24 + 14, 1);
    Put32(out, languageDirectories + i * 24 + 16, 1033);
    Put32(out, languageDirectories + i * 24 + 20, static_cast<uint32_t>(dataEntries + i * 16));
    Put32(out, dataEntries + i * 16, kBuiltResourceRva + static_cast<uint32_t>(data));
    Put32(out, dataEntries + i * 16 + 4, static_cast<uint32_t>(resources[i].Data.size()));
    out.resize(std::max(out.size(), data));
    out.replace(data, resources[i].Data.size(), resources[i].Data);
    data = Align(data + resources[i].Data.size(), 8);
  }
  return out;
}

}  // namespace

std::string BuildPeFile(const std::vector<TPeResourceSpec>& resources) {
  const std::string resourceSection = ResourceSection(resources);
  struct TSection {
    const char* Name;
    uint32_t Rva;
    std::string Bytes;
    uint32_t Characteristics;
  } sections[] = {
      {".text", kBuiltCodeRva, std::string(kBuiltCodeSize, '\xCC'), 0x60000020},
      {".data", kBuiltDataRva, std::string(0x40, '\x11'), 0xC0000040},
      {".rsrc", kBuiltResourceRva, resourceSection, 0x40000040},
  };
  std::string file;
  file += "MZ";
  Put32(file, 0x3C, 0x40);
  Put32(file, 0x40, 0x00004550);
  Put16(file, 0x44, 0x8664);
  Put16(file, 0x46, 3);
  Put16(file, 0x54, 240);
  const size_t optional = 0x58;
  Put16(file, optional, 0x20B);
  Put32(file, optional + 4, kBuiltCodeSize);
  Put32(file, optional + 8, 0x40 + static_cast<uint32_t>(resourceSection.size()));
  Put32(file, optional + 16, kBuiltCodeRva + 0x10);
  Put32(file, optional + 20, kBuiltCodeRva);
  Put64(file, optional + 24, kBuiltImageBase);
  Put32(file, optional + 32, kSectionAlignment);
  Put32(file, optional + 36, kFileAlignment);
  Put32(file, optional + 56, Align(kBuiltResourceRva + resourceSection.size(), kSectionAlignment));
  Put32(file, optional + 60, kFileAlignment);
  Put32(file, optional + 108, 16);
  Put32(file, optional + 112 + 2 * 8, kBuiltResourceRva);
  Put32(file, optional + 112 + 2 * 8 + 4, static_cast<uint32_t>(resourceSection.size()));
  size_t table = optional + 240;
  uint32_t raw = kFileAlignment;
  for (const TSection& section : sections) {
    file.resize(std::max(file.size(), table + 40), '\0');
    file.replace(table, 5, section.Name, std::char_traits<char>::length(section.Name));
    Put32(file, table + 8, static_cast<uint32_t>(section.Bytes.size()));
    Put32(file, table + 12, section.Rva);
    Put32(file, table + 16, Align(section.Bytes.size(), kFileAlignment));
    Put32(file, table + 20, raw);
    Put32(file, table + 36, section.Characteristics);
    file.resize(raw + Align(section.Bytes.size(), kFileAlignment), '\0');
    file.replace(raw, section.Bytes.size(), section.Bytes);
    raw += Align(section.Bytes.size(), kFileAlignment);
    table += 40;
  }
  return file;
}

std::string MapPeFile(const std::string& file) {
  std::string image(0x4000 + kSectionAlignment, '\0');
  image.replace(0, kFileAlignment, file.substr(0, kFileAlignment));
  const size_t table = 0x58 + 240;
  for (size_t i = 0; i < 3; ++i) {
    const auto get = [&](size_t at) {
      return static_cast<uint32_t>(static_cast<uint8_t>(file[at]) | static_cast<uint8_t>(file[at + 1]) << 8 |
                                   static_cast<uint8_t>(file[at + 2]) << 16 | static_cast<uint8_t>(file[at + 3]) << 24);
    };
    const size_t at = table + i * 40;
    const uint32_t rva = get(at + 12);
    const uint32_t size = get(at + 8);
    const uint32_t rawOffset = get(at + 20);
    if (image.size() < rva + size) image.resize(Align(rva + size, kSectionAlignment), '\0');
    image.replace(rva, size, file.substr(rawOffset, size));
  }
  return image;
}

}  // namespace palvetta
