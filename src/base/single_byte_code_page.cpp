#include "base/single_byte_code_page.h"

#include "base/utf.h"

namespace palvetta {
namespace {

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// The end of the run of ASCII bytes (or of other bytes) that starts at i.
size_t RunEnd(std::string_view text, size_t i, bool ascii) {
  while (i < text.size() && IsAscii(text[i]) == ascii) ++i;
  return i;
}

}  // namespace

std::string TSingleByteCodePage::FromUtf8(std::string_view text) const {
  std::string out;
  out.reserve(text.size());
  // ASCII bytes never occur inside a UTF-8 sequence: copy their runs as they are and
  // decode only what lies between.
  for (size_t i = 0; i < text.size();) {
    size_t end = RunEnd(text, i, true);
    out.append(text.substr(i, end - i));
    i = end;
    end = RunEnd(text, i, false);
    for (char32_t cp : DecodeUtf8(text.substr(i, end - i))) out += ByteOf(cp);
    i = end;
  }
  return out;
}

std::string TSingleByteCodePage::ToUtf8(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t end = RunEnd(bytes, i, true);
    out.append(bytes.substr(i, end - i));
    for (i = end; i < bytes.size() && !IsAscii(bytes[i]); ++i) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      const char16_t mapped = FHighHalf[b - 0x80];
      AppendUtf8(out, mapped != 0 ? char32_t{mapped} : char32_t{b});
    }
  }
  return out;
}

char TSingleByteCodePage::ByteOf(char32_t cp) const {
  if (cp < 0x80) return static_cast<char>(cp);
  for (int i = 0; i < 128; ++i) {
    if (FHighHalf[i] != 0 && FHighHalf[i] == cp) return static_cast<char>(0x80 + i);
  }
  if (cp >= 0x80 && cp <= 0xFF && FHighHalf[cp - 0x80] == 0) return static_cast<char>(cp);
  return '?';
}

}  // namespace palvetta
