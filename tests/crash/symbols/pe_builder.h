#pragma once
// A small 64-bit PE image laid out in a buffer, for the tests of the PE reader: a code
// section, a data section and a resource section with named resources.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace palvetta {

struct TPeResourceSpec {
  std::u16string Type;
  std::u16string Name;
  std::string Data;
};

inline constexpr uint64_t kBuiltImageBase = 0x140000000;
inline constexpr uint32_t kBuiltCodeRva = 0x1000;
inline constexpr uint32_t kBuiltCodeSize = 0x180;
inline constexpr uint32_t kBuiltDataRva = 0x2000;
inline constexpr uint32_t kBuiltResourceRva = 0x3000;

// The image as stored in a file.
std::string BuildPeFile(const std::vector<TPeResourceSpec>& resources);
// The same image as the loader lays it out in memory.
std::string MapPeFile(const std::string& file);

}  // namespace palvetta
