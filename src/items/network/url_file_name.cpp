#include "items/network/url_file_name.h"

#include "base/text.h"
#include "base/utf.h"
#include "model/quoting.h"

namespace palvetta {

namespace {

struct TURLFileName {
  std::string Name;
  bool Decoded = false;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool HasVarRef(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '%' && IsVarRefAt(name, i) > 0) return true;
  }
  return false;
}

std::string PercentDecoded(std::string_view name) {
  std::string bytes;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '%' && i + 2 < name.size() && HexValue(name[i + 1]) >= 0 &&
        HexValue(name[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(name[i + 1]) * 16 + HexValue(name[i + 2]));
      i += 2;
    } else {
      bytes += name[i];
    }
  }
  return bytes;
}

bool IsForbiddenInFileName(char32_t c) {
  return c < 32 || std::u32string_view(U"\"*/:<>?\\|").find(c) != std::u32string_view::npos;
}

// Each character of the UTF-8 bytes that a file name can hold as it is, the others "_".
std::string FileNameCharacters(std::string_view bytes, const ICodePage& ansi) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      out += '_';
      ++i;
      continue;
    }
    const std::string_view character = bytes.substr(i, length);
    i += length;
    const char32_t c = DecodeUtf8(character)[0];
    if (IsForbiddenInFileName(c) || !CharactersLost(ansi, character).empty()) {
      out += '_';
    } else {
      out += character;
    }
  }
  return out;
}

TURLFileName Split(std::string_view url, const ICodePage& ansi) {
  std::string text = Trim(url);
  text = text.substr(0, text.find('#'));
  text = text.substr(0, text.find('?'));
  if (const size_t scheme = text.find("://"); scheme != std::string::npos) text.erase(0, scheme + 3);
  const size_t slash = text.rfind('/');
  std::string name = slash == std::string::npos ? std::string() : text.substr(slash + 1);
  TURLFileName result;
  if (!HasVarRef(name)) {
    name = PercentDecoded(name);
    result.Decoded = true;
  }
  name = Trim(FileNameCharacters(name, ansi));
  if (name.empty() || name == "." || name == "..") {
    result.Name = "download";
    result.Decoded = false;
  } else {
    result.Name = name;
  }
  return result;
}

}  // namespace

std::string FileNameFromURL(std::string_view url, const ICodePage& ansi) {
  return Split(url, ansi).Name;
}

std::string URLValue(std::string_view url) { return ReplaceAll(Trim(OneLine(url)), "\"", "%22"); }

std::string BatchFileNameFromURL(std::string_view url, const ICodePage& ansi) {
  const TURLFileName name = Split(url, ansi);
  return name.Decoded ? ReplaceAll(name.Name, "%", "%%") : EscapePercents(name.Name);
}

}  // namespace palvetta
