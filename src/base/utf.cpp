#include "base/utf.h"

#include <cwchar>

namespace palvetta {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEscapeBase = 0xDC00;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Reads one code point at text[i]; returns the number of bytes it took, 0 when the
// bytes there are not a valid, shortest-form sequence.
size_t ReadSequence(std::string_view text, size_t i, char32_t& out) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    out = lead;
    return 1;
  }
  size_t length;
  char32_t value;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if (!IsContinuation(c)) return 0;
    value = (value << 6) | (c & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  out = value;
  return length;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

size_t Utf8SequenceLength(std::string_view text, size_t i) {
  char32_t ignored;
  return ReadSequence(text, i, ignored);
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    const size_t used = ReadSequence(text, i, cp);
    if (used == 0) {
      out += kEscapeBase + static_cast<unsigned char>(text[i]);
      ++i;
    } else {
      out += cp;
      i += used;
    }
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view codePoints) {
  std::string out;
  out.reserve(codePoints.size());
  for (char32_t cp : codePoints) {
    if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
      out += static_cast<char>(cp - kEscapeBase);
    } else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, cp);
    }
  }
  return out;
}

template <class TUnit>
std::basic_string<TUnit> Utf8ToUtf16Units(std::string_view text) {
  static_assert(sizeof(TUnit) == 2, "UTF-16 units");
  // At most one unit per byte: a four-byte sequence becomes two units.
  std::basic_string<TUnit> out(text.size(), TUnit{});
  size_t n = 0;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out[n++] = static_cast<TUnit>(lead);
      ++i;
      continue;
    }
    char32_t cp;
    const size_t used = ReadSequence(text, i, cp);
    if (used == 0) {
      out[n++] = static_cast<TUnit>(kReplacement);
      ++i;
      continue;
    }
    i += used;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out[n++] = static_cast<TUnit>(0xD800 + (cp >> 10));
      out[n++] = static_cast<TUnit>(0xDC00 + (cp & 0x3FF));
    } else {
      out[n++] = static_cast<TUnit>(cp);
    }
  }
  out.resize(n);
  return out;
}

template <class TUnit>
std::string Utf16UnitsToUtf8(std::basic_string_view<TUnit> text) {
  static_assert(sizeof(TUnit) == 2, "UTF-16 units");
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = static_cast<char16_t>(text[i]);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    const char32_t next = i + 1 < text.size() ? static_cast<char16_t>(text[i + 1]) : 0;
    if (cp >= 0xD800 && cp <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

template std::u16string Utf8ToUtf16Units<char16_t>(std::string_view);
template std::string Utf16UnitsToUtf8<char16_t>(std::u16string_view);
#if WCHAR_MAX == 0xFFFF
template std::wstring Utf8ToUtf16Units<wchar_t>(std::string_view);
template std::string Utf16UnitsToUtf8<wchar_t>(std::wstring_view);
#endif

std::u16string Utf8ToUtf16(std::string_view text) { return Utf8ToUtf16Units<char16_t>(text); }

std::string Utf16ToUtf8(std::u16string_view text) { return Utf16UnitsToUtf8(text); }

}  // namespace palvetta
