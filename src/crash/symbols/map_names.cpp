#include "crash/symbols/map_names.h"

#include <algorithm>

#include "base/case_folding.h"

namespace palvetta {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCharA(x) == FoldCharA(y); });
}

std::string UnitWithoutObjectExtension(std::string_view unit) {
  for (std::string_view extension : {".dpr", ".pas", ".inc", ".o"}) {
    if (unit.size() > extension.size() &&
        EqualsIgnoringCase(unit.substr(unit.size() - extension.size()), extension)) {
      return std::string(unit.substr(0, unit.size() - extension.size()));
    }
  }
  return std::string(unit);
}

std::string_view CutUtf8(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t end = maxBytes;
  // Step back over continuation bytes to the start of the character that was cut.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace palvetta
