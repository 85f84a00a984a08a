#include "base/text.h"

#include <cstring>

#include "base/utf.h"

namespace palvetta {

bool IsWhiteSpace(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string TrimLeft(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsWhiteSpace(text[start])) ++start;
  return std::string(text.substr(start));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool IsBlank(std::string_view text) {
  for (char c : text) {
    if (!IsWhiteSpace(c)) return false;
  }
  return true;
}

TStrings SplitLines(std::string_view text) {
  TStrings lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinWith(const TStrings& lines, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += separator;
    out += lines[i];
  }
  return out;
}

std::string LinesText(const TStrings& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view replacement) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += replacement;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t start = 0;
  for (size_t hit; (hit = text.find(from, start)) != std::string_view::npos;
       start = hit + from.size()) {
    out.append(text.substr(start, hit - start));
    out.append(to);
  }
  out.append(text.substr(start));
  return out;
}

namespace {

char UpperAsciiChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Simple lower-case folding of the scripts that users write names in. Characters
// without a case stay as they are.
char32_t FoldCase(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;  // Latin-1, except the multiplication sign
  if (c == 0x178) return 0xFF;                   // Ÿ
  if (c == 0x130) return 'i';                    // İ
  if (c >= 0x100 && c <= 0x137) return c | 1;    // Latin Extended-A pairs: even upper
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

char LowerAsciiChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// The case-insensitive search of pure ASCII texts, without decoding: the common case.
size_t FindAsciiIgnoreCase(std::string_view text, std::string_view pattern, size_t start) {
  const char first = pattern.front();
  const bool caseless = LowerAsciiChar(first) == first && !(first >= 'a' && first <= 'z');
  for (size_t i = start; i + pattern.size() <= text.size(); ++i) {
    if (caseless) {
      const void* hit = std::memchr(text.data() + i, first, text.size() - pattern.size() + 1 - i);
      if (hit == nullptr) break;
      i = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
    }
    size_t k = 0;
    while (k < pattern.size() && LowerAsciiChar(text[i + k]) == LowerAsciiChar(pattern[k])) ++k;
    if (k == pattern.size()) return i;
  }
  return std::string_view::npos;
}

std::u32string Folded(std::u32string_view text) {
  std::u32string out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = UpperAsciiChar(c);
  return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAsciiChar(a[i]) != UpperAsciiChar(b[i])) return false;
  }
  return true;
}

bool StartsWithAscii(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

bool ContainsIgnoreCase(std::string_view text, std::string_view pattern) {
  // Outside ASCII a character may fold into ASCII (İ into i), so only two ASCII texts
  // take the short way.
  if (pattern.empty()) return true;
  if (IsAscii(text) && IsAscii(pattern)) {
    return FindAsciiIgnoreCase(text, pattern, 0) != std::string_view::npos;
  }
  return Folded(DecodeUtf8(text)).find(Folded(DecodeUtf8(pattern))) != std::u32string::npos;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  return Folded(DecodeUtf8(a)) == Folded(DecodeUtf8(b));
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  if (IsAscii(text) && IsAscii(from)) {
    std::string out;
    size_t start = 0;
    for (size_t hit; (hit = FindAsciiIgnoreCase(text, from, start)) != std::string_view::npos;
         start = hit + from.size()) {
      out.append(text.substr(start, hit - start));
      out.append(to);
    }
    out.append(text.substr(start));
    return out;
  }
  const std::u32string original = DecodeUtf8(text);
  const std::u32string haystack = Folded(original);
  const std::u32string needle = Folded(DecodeUtf8(from));
  const std::u32string replacement = DecodeUtf8(to);
  std::u32string out;
  size_t start = 0;
  for (size_t hit; (hit = haystack.find(needle, start)) != std::u32string::npos;
       start = hit + needle.size()) {
    out.append(original, start, hit - start);
    out.append(replacement);
  }
  out.append(original, start);
  return EncodeUtf8(out);
}

std::string IntToStr(long long value) { return std::to_string(value); }

}  // namespace palvetta
