#pragma once
// Builds settings resources byte by byte: the header, entries of any value code, the
// end marker.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace palvetta {

class TSettingsStreamBuilder {
 public:
  TSettingsStreamBuilder() {
    const std::string_view header("TPF0\x0ATStackward\x09Stackward", 25);
    FBytes.assign(header.begin(), header.end());
  }

  // An entry whose value is given as raw bytes after its value code.
  TSettingsStreamBuilder& Raw(std::string_view name, uint8_t code, std::string_view value = {}) {
    FBytes.push_back(static_cast<uint8_t>(name.size()));
    FBytes.insert(FBytes.end(), name.begin(), name.end());
    FBytes.push_back(code);
    FBytes.insert(FBytes.end(), value.begin(), value.end());
    return *this;
  }
  TSettingsStreamBuilder& Bool(std::string_view name, bool value) { return Raw(name, value ? 9 : 8); }
  TSettingsStreamBuilder& Int(std::string_view name, int32_t value) { return Raw(name, 4, LittleEndian(value, 4)); }
  // An 8-bit text with a 4-byte length (code 12), as the shipped resource has them.
  TSettingsStreamBuilder& Text(std::string_view name, std::string_view value) {
    return Raw(name, 12, LittleEndian(static_cast<uint32_t>(value.size()), 4) + std::string(value));
  }
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> bytes = FBytes;
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
  }
  // Without the end marker.
  std::vector<uint8_t> Unterminated() const { return FBytes; }

  static std::string LittleEndian(uint32_t value, int size) {
    std::string bytes;
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    return bytes;
  }

 private:
  std::vector<uint8_t> FBytes;
};

}  // namespace palvetta
