#include "base/text_edit.h"

#include <algorithm>

#include "base/text_search.h"

namespace palvetta {
namespace {

template <class C>
bool IsBlank(C c) {
  return static_cast<std::make_unsigned_t<C>>(c) <= 32;
}

template <class C>
bool TrimInPlace(std::basic_string<C>& text) {
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  size_t start = 0;
  while (start < end && IsBlank(text[start])) ++start;
  if (start == 0 && end == text.size()) return false;
  text = text.substr(start, end - start);
  return true;
}

template <class C>
int Find(std::basic_string_view<C> text, std::basic_string_view<C> sub, size_t from, bool ignoreCase) {
  if (from >= text.size()) return -1;
  const size_t length = text.size() - from;
  int hit;
  if constexpr (sizeof(C) == 1) {
    hit = FindInBufferA(sub.data(), sub.size(), text.data() + from, length, 0, kToEnd, ignoreCase);
  } else {
    hit = FindInBufferW(sub.data(), sub.size(), text.data() + from, length, 0, kToEnd, ignoreCase);
  }
  return hit < 0 ? -1 : hit + static_cast<int>(from);
}

template <class C>
bool Replace(std::basic_string<C>& text, std::basic_string_view<C> sub, std::basic_string_view<C> replacement,
             bool rescan, bool ignoreCase) {
  if (sub.empty()) return false;
  if (rescan && Find(replacement, sub, 0, ignoreCase) >= 0) return false;
  bool changed = false;
  size_t from = 0;
  for (int hit; (hit = Find<C>(text, sub, from, ignoreCase)) >= 0;) {
    text.replace(static_cast<size_t>(hit), sub.size(), replacement);
    changed = true;
    // A rescan ends: each match it finds that starts inside a replacement reaches past
    // it (sub is not inside the replacement), so it uses up text that followed.
    from = static_cast<size_t>(hit) + (rescan ? 0 : replacement.size());
  }
  return changed;
}

}  // namespace

bool TrimInPlaceA(std::string& text) { return TrimInPlace(text); }
bool TrimInPlaceW(std::u16string& text) { return TrimInPlace(text); }

std::u16string TrimW(std::u16string_view text) {
  std::u16string result(text);
  TrimInPlace(result);
  return result;
}

bool ReplaceStrW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, false);
}
bool ReplaceTextW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
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
