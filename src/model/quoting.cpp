#include "model/quoting.h"

#include "base/text.h"

namespace palvetta {
namespace {

constexpr std::string_view kBatchSpecials = "^&|<>()";

bool IsBatchSpecial(char c) { return kBatchSpecials.find(c) != std::string_view::npos; }

// cmd.exe also splits arguments at "," ";" and "=": "CALL a,b\t.bat" calls "a".
bool NeedsQuotes(std::string_view text) {
  for (char c : text) {
    if (c == ' ' || c == ',' || c == ';' || c == '=' || IsBatchSpecial(c)) return true;
  }
  return false;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsNameCharacter(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

// The length of the variable reference that starts with the "%" at the position, both
// percent signs included; 0 when none starts there.
size_t VariableReferenceAt(std::string_view text, size_t percent) {
  size_t i = percent + 1;
  if (i >= text.size() || !(IsAsciiLetter(text[i]) || text[i] == '_')) return 0;
  while (i < text.size() && IsNameCharacter(text[i])) ++i;
  if (i < text.size() && text[i] == ':') {
    while (i < text.size() && text[i] != '%' && text[i] != '\r' && text[i] != '\n') ++i;
  }
  return i < text.size() && text[i] == '%' ? i + 1 - percent : 0;
}

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
  return IsAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Every "%" made to survive cmd.exe: "%%" is the user's own escape and stays, a "%"
// at which the finder sees a variable reference keeps the reference, every other "%"
// is doubled.
template <typename TReferenceAt>
std::string DoubleLonePercents(std::string_view text, TReferenceAt referenceAt) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '%') {
      out += text[i++];
    } else if (i + 1 < text.size() && text[i + 1] == '%') {
      out += "%%";
      i += 2;
    } else if (const size_t length = referenceAt(text, i)) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "%%";
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string EscapeMessageText(std::string_view text) {
  return EscapeBatchSpecials(EscapeLonePercents(OneLine(text)));
}

std::string EscapeLonePercents(std::string_view text) {
  return DoubleLonePercents(text, VariableReferenceAt);
}

size_t IsVarRefAt(std::string_view text, size_t percent) {
  if (percent >= text.size() || text[percent] != '%') return 0;
  size_t i = percent + 1;
  if (i >= text.size() || !(IsAsciiLetter(text[i]) || text[i] == '_')) return 0;
  ++i;
  while (i < text.size() && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]) || text[i] == '_')) ++i;
  if (i >= text.size() || text[i] != '%') return 0;
  const std::string_view name = text.substr(percent + 1, i - percent - 1);
  if (name.size() == 2 && IsHexDigit(name[0]) && IsHexDigit(name[1])) return 0;
  return i + 1 - percent;
}

std::string EscapePercents(std::string_view text) { return DoubleLonePercents(text, IsVarRefAt); }

std::string QuoteIfSpaced(std::string_view text) {
  std::string trimmed = Trim(text);
  if (NeedsQuotes(trimmed) && trimmed.front() != '"') return '"' + trimmed + '"';
  return trimmed;
}

std::string QuoteOnce(std::string_view text) {
  std::string trimmed = Trim(text);
  if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"') return trimmed;
  return '"' + std::string(text) + '"';
}

std::string QuotePath(std::string_view text) {
  return '"' + ReplaceAll(Trim(text), "\"", "") + '"';
}

std::string NormalizeQuotedPath(std::string_view text) {
  std::string path = Trim(text);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = Trim(std::string_view(path).substr(1, path.size() - 2));
  }
  if (path.size() > 3 && path.back() == '\\' && NeedsQuotes(path)) path.pop_back();
  return QuoteIfSpaced(path);
}

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);
  }
  return AlwaysQuotedArgument(argument);
}

std::string AlwaysQuotedArgument(std::string_view argument) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only before a double quote.
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + '"';
}

std::string EscapeOutsideQuotes(std::string_view text, std::string_view characters) {
  std::string out;
  out.reserve(text.size());
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (!quoted && characters.find(c) != std::string_view::npos) out += '^';
    out += c;
  }
  return out;
}

std::string OneLine(std::string_view text) { return ReplaceLineBreaks(text, " "); }

std::string EscapeBatchSpecials(std::string_view text) {
  return EscapeOutsideQuotes(OneLine(text), kBatchSpecials);
}

std::string EscapeSetAssignment(std::string_view name, std::string_view value) {
  const std::string text = OneLine(std::string(name) + "=" + std::string(value));
  std::string out;
  out.reserve(text.size());
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '^') {
      // The user's own escape: it and the character it escapes go as they are. A caret
      // at the end would escape the line break, so it is doubled.
      out += c;
      out += i + 1 < text.size() ? text[++i] : '^';
      continue;
    } else if (!quoted && IsBatchSpecial(c)) {
      out += '^';
    }
    out += c;
  }
  return out;
}

std::string EscapeEchoText(std::string_view text) {
  return ReplaceAll(EscapeBatchSpecials(text), "%", "%%");
}

std::string QuoteForCommand(std::string_view text, const TCommandQuoting& quoting) {
  std::string argument = quoting.Trimmed ? Trim(text) : std::string(text);
  if (quoting.KeepsQuoted) {
    if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') return argument;
  } else {
    if (argument.starts_with('"')) argument.erase(0, 1);
    if (argument.ends_with('"')) argument.pop_back();
    if (quoting.Trimmed) argument = Trim(argument);
  }
  if (argument.find_first_of(quoting.Specials) == std::string::npos) return argument;
  return "\"" + argument + "\"";
}

}  // namespace palvetta
