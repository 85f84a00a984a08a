#pragma once
// The headers, sections and resources of a PE image (32 or 64 bits), read from its bytes
// as a file or as loaded into memory. Every offset is checked against the bytes: damaged
// or hostile images give empty answers, never a read outside them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "crash/symbols/map_file.h"

namespace palvetta {

enum class TPeLayout {
  plFile,    // as stored: sections at their raw offsets
  plMapped,  // as loaded: sections at their virtual addresses
};

struct TPeSection {
  std::string Name;
  uint32_t VirtualAddress = 0;
  uint32_t VirtualSize = 0;
  uint32_t RawOffset = 0;
  uint32_t RawSize = 0;
  uint32_t Characteristics = 0;

  bool HoldsCode() const;
  bool HoldsData() const;
};

class TPeImage {
 public:
  // False when the bytes do not start with the headers of a PE image.
  bool Parse(std::string_view bytes, TPeLayout layout);

  bool Is64Bit() const { return FIs64Bit; }
  uint64_t ImageBase() const { return FImageBase; }
  uint32_t SizeOfImage() const { return FSizeOfImage; }
  uint32_t AddressOfEntryPoint() const { return FEntryPoint; }
  const std::vector<TPeSection>& Sections() const { return FSections; }

  // The bytes at an address relative to the image base; empty unless all of them lie
  // in the image's bytes.
  std::string_view AtRva(uint32_t rva, uint32_t size) const;

  // The data of the first language of the resource with that type and name (both as
  // named resources, compared ignoring case); empty when there is none.
  std::string_view FindResource(std::u16string_view type, std::u16string_view name) const;

  // Where code and data lie when the image is loaded at hInstance: the first section
  // when it holds code (to the end of the second when that holds code too), else the
  // headers' code base and size; data from the first section holding data.
  TCodeRanges CodeRanges(uintptr_t hInstance) const;

 private:
  bool RvaToOffset(uint32_t rva, uint32_t size, size_t& offset) const;
  // The offset within the resource section's bytes of the entry with that name in the
  // directory at directoryOffset; 0 when none. Subdirectory entries have the high bit.
  uint32_t FindResourceEntry(std::string_view resources, uint32_t directoryOffset,
                             std::u16string_view name, bool firstOfAny) const;

  std::string_view FBytes;
  TPeLayout FLayout = TPeLayout::plFile;
  bool FIs64Bit = false;
  uint64_t FImageBase = 0;
  uint32_t FSizeOfImage = 0;
  uint32_t FEntryPoint = 0;
  uint32_t FBaseOfCode = 0;
  uint32_t FSizeOfCode = 0;
  uint32_t FBaseOfData = 0;
  uint32_t FSizeOfInitializedData = 0;
  uint32_t FSizeOfUninitializedData = 0;
  uint32_t FResourceRva = 0;
  uint32_t FResourceSize = 0;
  std::vector<TPeSection> FSections;
};

}  // namespace palvetta
