#include "model/quoting.h"

#include <algorithm>

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

// The length of the batch parameter reference that starts with the "%" at the position:
// "%0" to "%9", "%*", or "%~" with modifiers and an optional "$NAME:" before the digit
// ("%~dp0", "%~$PATH:1"); 0 when none starts there.
size_t ParameterReferenceAt(std::string_view text, size_t percent) {
  size_t i = percent + 1;
  if (i >= text.size()) return 0;
  if (IsAsciiDigit(text[i]) || text[i] == '*') return 2;
  if (text[i] != '~') return 0;
  ++i;
  constexpr std::string_view kModifiers = "fdpnxsatzFDPNXSATZ";
  while (i < text.size() && kModifiers.find(text[i]) != std::string_view::npos) ++i;
  if (i < text.size() && text[i] == '$') {
    const size_t colon = text.find(':', i + 1);
    if (colon == std::string_view::npos || colon == i + 1) return 0;
    for (size_t k = i + 1; k < colon; ++k) {
      if (!IsNameCharacter(text[k])) return 0;
    }
    i = colon + 1;
  }
  return i < text.size() && IsAsciiDigit(text[i]) ? i + 1 - percent : 0;
}

size_t ReferenceOrParameterAt(std::string_view text, size_t percent) {
  const size_t variable = VariableReferenceAt(text, percent);
  return variable != 0 ? variable : ParameterReferenceAt(text, percent);
}

// A caret at the end of the text that escapes the line break after it: one of an odd run
// of carets that stands outside double quotes.
bool EndsWithJoiningCaret(std::string_view text) {
  size_t quotes = 0;
  for (char c : text) quotes += c == '"' ? 1 : 0;
  if (quotes % 2 != 0) return false;
  size_t carets = 0;
  for (size_t i = text.size(); i > 0 && text[i - 1] == '^'; --i) ++carets;
  return carets % 2 != 0;
}

std::string WithoutJoiningCaret(std::string text) {
  if (EndsWithJoiningCaret(text)) text += '^';
  return text;
}

thread_local TLeftOutCharacters* innermostLeftOut = nullptr;

}  // namespace

TLeftOutCharacters::TLeftOutCharacters() : FOuter(innermostLeftOut) { innermostLeftOut = this; }

TLeftOutCharacters::~TLeftOutCharacters() { innermostLeftOut = FOuter; }

void TLeftOutCharacters::Note(char c) {
  if (innermostLeftOut == nullptr) return;
  std::string& noted = innermostLeftOut->FCharacters;
  if (noted.find(c) == std::string::npos) noted += c;
}

std::string PathValue(std::string_view text) {
  std::string value = Trim(OneLine(text));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = Trim(std::string_view(value).substr(1, value.size() - 2));
  }
  if (value.find('"') != std::string::npos) {
    TLeftOutCharacters::Note('"');
    std::erase(value, '"');
    value = Trim(value);
  }
  return value;
}

std::string VariableName(std::string_view text) {
  std::string name = PathValue(text);
  if (name.find('%') != std::string::npos) {
    TLeftOutCharacters::Note('%');
    std::erase(name, '%');
    name = Trim(name);
  }
  return name;
}

std::string EscapeArgumentPercents(std::string_view text) {
  return DoubleLonePercents(text, ReferenceOrParameterAt);
}

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
  std::string value = EscapeArgumentPercents(PathValue(text));
  if (NeedsQuotes(value)) return '"' + value + '"';
  return value;
}

std::string QuoteOnce(std::string_view text) {
  const std::string trimmed = Trim(text);
  const bool wrapped = trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"';
  if (wrapped) return '"' + EscapeArgumentPercents(PathValue(trimmed)) + '"';
  // Without the user's quotes the value keeps its blanks.
  std::string value = OneLine(text);
  if (value.find('"') != std::string::npos) {
    TLeftOutCharacters::Note('"');
    std::erase(value, '"');
  }
  return '"' + EscapeArgumentPercents(value) + '"';
}

std::string QuotePath(std::string_view text) {
  return '"' + EscapeArgumentPercents(PathValue(text)) + '"';
}

std::string NormalizeQuotedPath(std::string_view text) {
  std::string path = PathValue(text);
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

std::string ShieldedArgument(std::string_view argument) {
  const std::string quoted = AlwaysQuotedArgument(argument);
  if (std::count(quoted.begin(), quoted.end(), '"') % 2 == 0) {
    return EscapeOutsideQuotes(quoted, kBatchSpecials);
  }
  std::string out;
  for (char c : quoted) {
    if (c == '"' || IsBatchSpecial(c)) out += '^';
    out += c;
  }
  return out;
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

std::string UserBatchSyntax(std::string_view text) { return WithoutJoiningCaret(OneLine(text)); }

std::string LabelReference(std::string_view name) {
  return EscapeBatchSpecials(EscapeLonePercents(name));
}

std::string CommentText(std::string_view text) {
  return WithoutJoiningCaret(EscapeLonePercents(OneLine(text)));
}

std::string EscapeBatchSpecials(std::string_view text) {
  return EscapeOutsideQuotes(EscapeArgumentPercents(OneLine(text)), kBatchSpecials);
}

std::string EscapeSetAssignment(std::string_view name, std::string_view value) {
  const std::string text =
      EscapeArgumentPercents(OneLine(std::string(name) + "=" + std::string(value)));
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
  return ReplaceAll(EscapeOutsideQuotes(OneLine(text), kBatchSpecials), "%", "%%");
}

std::string QuoteForCommand(std::string_view text, const TCommandQuoting& quoting) {
  std::string argument = OneLine(text);
  if (quoting.Trimmed) argument = Trim(argument);
  const bool wrapped = argument.size() >= 2 && argument.front() == '"' && argument.back() == '"';
  if (quoting.KeepsQuoted && wrapped) {
    argument = argument.substr(1, argument.size() - 2);
  } else {
    if (argument.starts_with('"')) argument.erase(0, 1);
    if (argument.ends_with('"')) argument.pop_back();
    if (quoting.Trimmed) argument = Trim(argument);
  }
  if (argument.find('"') != std::string::npos) {
    TLeftOutCharacters::Note('"');
    std::erase(argument, '"');
  }
  argument = EscapeArgumentPercents(argument);
  const bool quoted = (quoting.KeepsQuoted && wrapped) ||
                      argument.find_first_of(quoting.Specials) != std::string::npos;
  return quoted ? "\"" + argument + "\"" : argument;
}

}  // namespace palvetta
