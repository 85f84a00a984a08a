#include "items/service_control/sc_quoting.h"

#include "base/text.h"
#include "model/quoting.h"

namespace palvetta {
namespace {

bool IsQuoted(std::string_view text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

bool EndsWithProgramExtension(std::string_view text, size_t end) {
  if (end < 4) return false;
  const std::string_view extension = text.substr(end - 4, 4);
  return SameTextAscii(extension, ".exe") || SameTextAscii(extension, ".sys") ||
         SameTextAscii(extension, ".com");
}

struct TProgramAndArguments {
  std::string Program;
  std::string Arguments;
};

// The program and its arguments, or nothing when the text has a blank but no word that
// ends like a program (it is then left as it is).
bool SplitCommand(const std::string& text, TProgramAndArguments& split) {
  if (!text.empty() && text.front() == '"') {
    const size_t close = text.find('"', 1);
    split.Program = text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    split.Arguments = close == std::string::npos ? std::string() : Trim(text.substr(close + 1));
    return true;
  }
  if (text.find(' ') == std::string::npos) {
    split.Program = text;
    return true;
  }
  for (size_t end = 4; end <= text.size(); ++end) {
    if ((end == text.size() || text[end] == ' ') && EndsWithProgramExtension(text, end)) {
      split.Program = text.substr(0, end);
      split.Arguments = Trim(text.substr(end));
      return true;
    }
  }
  return false;
}

}  // namespace

std::string SCUnquote(std::string_view text) {
  std::string trimmed = Trim(text);
  return IsQuoted(trimmed) ? trimmed.substr(1, trimmed.size() - 2) : trimmed;
}

std::string SCQuote(std::string_view text) {
  return QuoteForCommand(text, {.Specials = " \t&()<>^|", .KeepsQuoted = true});
}

std::string BuildBinPath(std::string_view text) {
  const std::string trimmed = Trim(EscapeArgumentPercents(OneLine(text)));
  std::string command = trimmed;
  if (TProgramAndArguments split; SplitCommand(trimmed, split)) {
    command = split.Program.find_first_of(" \t%") == std::string::npos
                  ? split.Program
                  : "\"" + split.Program + "\"";
    if (!split.Arguments.empty()) command += " " + split.Arguments;
  }
  return ShieldedArgument(command);
}

std::string ServiceKeyName(std::string_view text) {
  const size_t cut = text.find(" (");
  return Trim(cut == std::string_view::npos ? text : text.substr(0, cut));
}

std::string SCServerArgument(std::string_view text) {
  std::string name = Trim(text);
  std::erase(name, '\\');
  return IsBlank(name) ? std::string() : SCQuote("\\\\" + Trim(name));
}

}  // namespace palvetta
