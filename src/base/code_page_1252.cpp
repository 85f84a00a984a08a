#include "base/code_page.h"
#include "base/utf.h"

namespace palvetta {
namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes. All other
// bytes equal their code point.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

class Windows1252CodePage final : public CodePage {
 public:
  unsigned Id() const override { return 1252; }

  std::string FromUtf8(std::string_view text) const override {
    std::string out;
    out.reserve(text.size());
    // ASCII bytes never occur inside a UTF-8 sequence: copy their runs as they are and
    // decode only what lies between.
    for (size_t i = 0; i < text.size();) {
      size_t end = i;
      while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80) ++end;
      out.append(text.substr(i, end - i));
      i = end;
      while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
      for (char32_t cp : DecodeUtf8(text.substr(i, end - i))) out += ByteOf(cp);
      i = end;
    }
    return out;
  }

  std::string ToUtf8(std::string_view bytes) const override {
    std::u32string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      // Unassigned bytes map to the C1 control of the same number, as Windows does.
      out += (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0) ? kHighControls[b - 0x80]
                                                                       : char32_t{b};
    }
    return EncodeUtf8(out);
  }

 private:
  static char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
      if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    if (cp >= 0x80 && cp <= 0x9F && kHighControls[cp - 0x80] == 0) return static_cast<char>(cp);
    return '?';
  }
};

class Utf8PassThrough final : public CodePage {
 public:
  unsigned Id() const override { return 65001; }
  std::string FromUtf8(std::string_view text) const override { return std::string(text); }
  std::string ToUtf8(std::string_view bytes) const override { return std::string(bytes); }
};

}  // namespace

const CodePage& Utf8CodePage() {
  static const Utf8PassThrough codePage;
  return codePage;
}

const CodePage& Windows1252() {
  static const Windows1252CodePage codePage;
  return codePage;
}

}  // namespace palvetta
