#pragma once
// What the family's items share in writing their lines.

#include <string>
#include <string_view>

#include "base/text.h"
#include "model/quoting.h"

namespace palvetta {

// A path argument: on one line, trimmed, quoted when it needs quotes.
inline std::string PathArgument(std::string_view path) { return QuoteIfSpaced(OneLine(path)); }

// The finished command on one line, with a caret before each batch special character
// that cmd.exe would read outside quotes: nothing a value holds can close the block the
// line stands in or start a second command. Blanks left at its end by missing values go.
inline std::string CommandLine(std::string_view text) {
  return TrimRight(EscapeBatchSpecials(text));
}

}  // namespace palvetta
