#include "items/console/code_pages.h"

#include "base/text.h"

namespace palvetta {

const std::string_view kCHCPCodePages[32] = {
    "437 (United States, DOS)",
    "720 (Arabic, DOS)",
    "737 (Greek, DOS)",
    "775 (Baltic, DOS)",
    "850 (Western European, DOS)",
    "852 (Central European, DOS)",
    "855 (Cyrillic, IBM)",
    "857 (Turkish, DOS)",
    "858 (Western European with euro sign, DOS)",
    "860 (Portuguese, DOS)",
    "861 (Icelandic, DOS)",
    "862 (Hebrew, DOS)",
    "863 (French Canadian, DOS)",
    "864 (Arabic, IBM)",
    "865 (Nordic, DOS)",
    "866 (Russian, DOS)",
    "869 (Modern Greek, DOS)",
    "874 (Thai)",
    "932 (Japanese, Shift-JIS)",
    "936 (Chinese Simplified, GBK)",
    "949 (Korean)",
    "950 (Chinese Traditional, Big5)",
    "1250 (Central European, Windows)",
    "1251 (Cyrillic, Windows)",
    "1252 (Western European, Windows)",
    "1253 (Greek, Windows)",
    "1254 (Turkish, Windows)",
    "1255 (Hebrew, Windows)",
    "1256 (Arabic, Windows)",
    "1257 (Baltic, Windows)",
    "1258 (Vietnamese, Windows)",
    "65001 (UTF-8)",
};

const std::string_view kGraftablCodePages[11] = {
    "437 (United States, DOS)",  "850 (Western European, DOS)", "852 (Central European, DOS)",
    "855 (Cyrillic, IBM)",       "857 (Turkish, DOS)",          "860 (Portuguese, DOS)",
    "861 (Icelandic, DOS)",      "863 (French Canadian, DOS)",  "865 (Nordic, DOS)",
    "866 (Russian, DOS)",        "869 (Modern Greek, DOS)",
};

std::string ParseCodePage(std::string_view text) {
  const std::string trimmed = Trim(text);
  unsigned long value = 0;
  for (const char c : trimmed) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<unsigned long>(c - '0');
    // Past the range already: more digits cannot bring it back.
    if (value > 65535) return {};
  }
  if (value < 1) return {};
  return IntToStr(static_cast<long long>(value));
}

int CodePageEntry(std::span<const std::string_view> entries, std::string_view codePage) {
  const std::string wanted = Trim(codePage);
  if (wanted.empty()) return -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (ParseCodePage(entries[i]) == wanted) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace palvetta
