#include "app/markup.h"

#include <array>
#include <cstddef>

#include "base/text.h"

namespace palvetta {
namespace {

// A scanner rather than std::regex: the library's matcher recurses per character and
// can run out of stack on a long text inside an unclosed tag.

bool IsRegexSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// At text[pos] == '<': the end (one past '>') of a line break tag there, or npos.
size_t LineBreakEnd(std::string_view text, size_t pos) {
  size_t i = pos + 1;
  if (!StartsWithAscii(text.substr(i), "br")) return std::string_view::npos;
  i += 2;
  while (i < text.size() && IsRegexSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '/') ++i;
  if (i < text.size() && text[i] == '>') return i + 1;
  return std::string_view::npos;
}

constexpr std::array<std::string_view, 9> kFormattingTags{"u", "b",    "i",    "em", "strong",
                                                          "a", "font", "span", "p"};

// At text[pos] == '<': the end of an opening or closing formatting tag there, or npos.
// No tag name is a prefix of another, so at most one name can fit.
size_t FormattingTagEnd(std::string_view text, size_t pos) {
  size_t i = pos + 1;
  if (i < text.size() && text[i] == '/') ++i;
  for (std::string_view name : kFormattingTags) {
    if (!StartsWithAscii(text.substr(i), name)) continue;
    const size_t afterName = i + name.size();
    if (afterName >= text.size()) return std::string_view::npos;
    if (text[afterName] == '>') return afterName + 1;
    if (!IsRegexSpace(text[afterName])) return std::string_view::npos;
    const size_t close = text.find('>', afterName);
    return close == std::string_view::npos ? close : close + 1;
  }
  return std::string_view::npos;
}

// Copies the text, replacing every tag that tagEnd recognises by the replacement.
template <class TagEnd>
std::string ReplaceTags(std::string_view text, TagEnd tagEnd, std::string_view replacement) {
  std::string result;
  result.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('<', pos);
    if (open == std::string_view::npos) break;
    const size_t end = tagEnd(text, open);
    if (end == std::string_view::npos) {
      result.append(text.substr(pos, open + 1 - pos));
      pos = open + 1;
    } else {
      result.append(text.substr(pos, open - pos));
      result.append(replacement);
      pos = end;
    }
  }
  if (pos < text.size()) result.append(text.substr(pos));
  return result;
}

}  // namespace

std::string RemoveMarkup(std::string_view text) {
  const std::string withoutBreaks = ReplaceTags(text, LineBreakEnd, " ");
  return ReplaceTags(withoutBreaks, FormattingTagEnd, "");
}

}  // namespace palvetta
