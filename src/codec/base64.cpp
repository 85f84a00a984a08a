#include "codec/base64.h"

#include <array>

namespace palvetta {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<uint8_t, 256> kValues = [] {
  std::array<uint8_t, 256> values{};
  values.fill(kNotInAlphabet);
  for (size_t i = 0; i < kAlphabet.size(); ++i) values[static_cast<uint8_t>(kAlphabet[i])] = static_cast<uint8_t>(i);
  return values;
}();

uint8_t ValueOf(char c) { return kValues[static_cast<uint8_t>(c)]; }

}  // namespace

std::string Base64Encode(const uint8_t* buffer, size_t length) {
  std::string text;
  text.reserve((length + 2) / 3 * 4);
  for (size_t i = 0; i < length; i += 3) {
    const size_t count = length - i < 3 ? length - i : 3;
    uint32_t group = uint32_t{buffer[i]} << 16;
    if (count > 1) group |= uint32_t{buffer[i + 1]} << 8;
    if (count > 2) group |= buffer[i + 2];
    for (size_t k = 0; k < 4; ++k) {
      text += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  return text;
}

std::string Base64Encode(std::string_view bytes) {
  return Base64Encode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Base64Decode(std::string_view text) {
  if (text.empty() || text.size() % 4 != 0) return {};
  size_t padding = 0;
  if (text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 - padding);
  const size_t significant = text.size() - padding;
  uint32_t group = 0;
  for (size_t i = 0; i < significant; ++i) {
    const uint8_t value = ValueOf(text[i]);
    if (value == kNotInAlphabet) return {};
    group = group << 6 | value;
    if (i % 4 == 3) {
      bytes += static_cast<char>(group >> 16);
      bytes += static_cast<char>(group >> 8);
      bytes += static_cast<char>(group);
    }
  }
  if (padding == 1) {
    bytes += static_cast<char>(group >> 10);
    bytes += static_cast<char>(group >> 2);
  } else if (padding == 2) {
    bytes += static_cast<char>(group >> 4);
  }
  return bytes;
}

}  // namespace palvetta
