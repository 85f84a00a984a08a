#include "support/batch_safety.h"

#include <cctype>

namespace palvetta::e2e {
namespace {

bool SplitsWords(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '=' || c == '@' || c == '(' ||
         c == ')' || c == '<' || c == '>' || c == '&' || c == '|';
}

// The word as a command name: upper case, without folder and extension.
std::string CommandName(std::string word) {
  const size_t slash = word.find_last_of("\\/:");
  if (slash != std::string::npos) word.erase(0, slash + 1);
  const size_t dot = word.rfind('.');
  if (dot != std::string::npos && dot > 0) word.erase(dot);
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

}  // namespace

std::set<std::string> CommandWords(std::string_view batchText) {
  std::set<std::string> words;
  bool quoted = false;
  bool text = false;  // in the text of ECHO or REM, up to the end of its command
  std::string word;
  auto finish = [&] {
    if (!word.empty()) {
      const std::string name = CommandName(word);
      if (name == "ECHO" || name == "REM" || word.rfind("::", 0) == 0) {
        text = true;
      } else if (!name.empty()) {
        words.insert(name);
      }
    }
    word.clear();
  };
  for (size_t i = 0; i < batchText.size(); ++i) {
    const char c = batchText[i];
    if (c == '\r' || c == '\n') {
      if (!text) finish();
      word.clear();
      quoted = false;
      text = false;
    } else if (c == '^' && !quoted) {
      ++i;  // an escaped character is text
    } else if (c == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (text) {
      if (c == '&' || c == '|') text = false;
    } else if (SplitsWords(c)) {
      finish();
    } else {
      word += c;
    }
  }
  if (!text) finish();
  return words;
}

}  // namespace palvetta::e2e
