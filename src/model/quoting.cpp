#include "model/quoting.h"

#include "base/text.h"

namespace palvetta {
namespace {

bool IsBatchSpecial(char c) {
  return std::string_view("^&|<>()").find(c) != std::string_view::npos;
}

// cmd.exe also splits arguments at "," ";" and "=": "CALL a,b\t.bat" calls "a".
bool NeedsQuotes(std::string_view text) {
  for (char c : text) {
    if (c == ' ' || c == ',' || c == ';' || c == '=' || IsBatchSpecial(c)) return true;
  }
  return false;
}

}  // namespace

std::string QuoteIfSpaced(std::string_view text) {
  std::string trimmed = Trim(text);
  if (NeedsQuotes(trimmed) && trimmed.front() != '"') return '"' + trimmed + '"';
  return trimmed;
}

std::string OneLine(std::string_view text) { return ReplaceLineBreaks(text, " "); }

std::string EscapeBatchSpecials(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool quoted = false;
  for (char c : OneLine(text)) {
    if (c == '"') quoted = !quoted;
    if (!quoted && IsBatchSpecial(c)) out += '^';
    out += c;
  }
  return out;
}

std::string EscapeEchoText(std::string_view text) {
  return ReplaceAll(EscapeBatchSpecials(text), "%", "%%");
}

}  // namespace palvetta
