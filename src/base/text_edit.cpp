#include "base/text_edit.h"

#include "base/text_search.h"

namespace palvetta {
namespace {

bool IsBlank(char16_t c) { return c <= 32; }

size_t Find(std::u16string_view text, std::u16string_view sub, size_t from, bool ignoreCase) {
  return ignoreCase ? PosInRange(sub, text, from) : text.find(sub, from);
}

bool Replace(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan,
             bool ignoreCase) {
  if (sub.empty()) return false;
  if (rescan && Find(replacement, sub, 0, ignoreCase) != kNotFound) return false;
  bool changed = false;
  size_t from = 0;
  for (size_t hit; (hit = Find(text, sub, from, ignoreCase)) != kNotFound;) {
    text.replace(hit, sub.size(), replacement);
    changed = true;
    // A rescan ends: each match it finds that starts inside a replacement reaches past
    // it (sub is not inside the replacement), so it uses up text that followed.
    from = hit + (rescan ? 0 : replacement.size());
  }
  return changed;
}

}  // namespace

bool TrimInPlaceW(std::u16string& text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  size_t start = 0;
  while (start < end && IsBlank(text[start])) ++start;
  if (start == 0 && end == text.size()) return false;
  text = text.substr(start, end - start);
  return true;
}

bool ReplaceStr(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, false);
}
bool ReplaceText(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, true);
}

bool CleanDelimitedList(std::u16string& text, char16_t delimiter) {
  std::u16string cleaned;
  std::u16string_view rest = text;
  while (true) {
    const size_t end = rest.find(delimiter);
    std::u16string_view item = rest.substr(0, end);
    while (!item.empty() && IsBlank(item.front())) item.remove_prefix(1);
    while (!item.empty() && IsBlank(item.back())) item.remove_suffix(1);
    if (!item.empty()) {
      if (!cleaned.empty()) cleaned += delimiter;
      cleaned += item;
    }
    if (end == std::u16string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  if (cleaned == text) return false;
  text = std::move(cleaned);
  return true;
}

}  // namespace palvetta
