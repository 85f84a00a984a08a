#include "base/charsets.h"

#include "base/text.h"

namespace palvetta {
namespace {

struct TCharset {
  unsigned codePage;
  std::string_view name;
};

// The first entry of a code page is the name written for it; later ones are aliases
// that are only read.
constexpr TCharset kCharsets[] = {
    {1252, "Windows-1252"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {874, "windows-874"},
    {932, "shift_jis"},
    {936, "gb2312"},
    {949, "ks_c_5601-1987"},
    {950, "big5"},
    {65001, "utf-8"},
    {1200, "utf-16"},
    {20127, "us-ascii"},
    {28591, "iso-8859-1"},
    {28592, "iso-8859-2"},
    {28593, "iso-8859-3"},
    {28594, "iso-8859-4"},
    {28595, "iso-8859-5"},
    {28596, "iso-8859-6"},
    {28597, "iso-8859-7"},
    {28598, "iso-8859-8"},
    {28599, "iso-8859-9"},
    {28605, "iso-8859-15"},
    {20866, "koi8-r"},
    {21866, "koi8-u"},
    {437, "IBM437"},
    {850, "ibm850"},
    {852, "ibm852"},
    {866, "cp866"},
    {51932, "euc-jp"},
    {51949, "euc-kr"},
    {54936, "GB18030"},
    {50220, "iso-2022-jp"},
    {10000, "macintosh"},
    {1252, "cp1252"},
    {28591, "latin1"},
    {20127, "ascii"},
    {65001, "utf8"},
};

}  // namespace

std::string CharsetName(unsigned codePage) {
  for (const auto& charset : kCharsets) {
    if (charset.codePage == codePage) return std::string(charset.name);
  }
  return "windows-" + std::to_string(codePage);
}

std::optional<unsigned> CharsetCodePage(std::string_view name) {
  for (const auto& charset : kCharsets) {
    if (SameTextAscii(charset.name, name)) return charset.codePage;
  }
  return std::nullopt;
}

}  // namespace palvetta
