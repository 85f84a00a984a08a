#pragma once
// A PE file read from disk for the disassembler's tests: its image base, sections and
// the function table of .pdata.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace palvetta::testing {

struct TPeSection {
  std::string Name;
  uint32_t VirtualAddress = 0;
  uint32_t VirtualSize = 0;
  uint32_t Characteristics = 0;
  std::vector<uint8_t> Data;  // the raw bytes, as many as the file holds
  bool IsCode() const { return (Characteristics & 0x20) != 0; }
};

struct TPeFunction {
  uint32_t Begin = 0;  // relative to the image base
  uint32_t End = 0;
};

struct TPeFile {
  bool Is64 = false;
  uint64_t ImageBase = 0;
  std::vector<TPeSection> Sections;
  std::vector<TPeFunction> Functions;  // from .pdata (64-bit only)

  // The image as loaded (sections at their addresses, zero elsewhere).
  std::vector<uint8_t> Image() const;
};

// Reads the file; false when it is not a PE file this reader understands.
bool ReadPeFile(const std::filesystem::path& path, TPeFile& pe);

}  // namespace palvetta::testing
