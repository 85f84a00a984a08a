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

template <class C>
std::basic_string<C> DeleteCopy(std::basic_string_view<C> text, int index, int count) {
  std::basic_string<C> result(text);
  if (index < 1 || static_cast<size_t>(index) > text.size() || count <= 0) return result;
  result.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
  return result;
}

template <class C>
bool KeepRange(std::basic_string<C>& text, int index, int count) {
  const size_t start = static_cast<size_t>(std::max(index, 1) - 1);
  if (count <= 0 || start >= text.size()) {
    const bool changed = !text.empty();
    text.clear();
    return changed;
  }
  const size_t kept = std::min(static_cast<size_t>(count), text.size() - start);
  if (start == 0 && kept == text.size()) return false;
  text = text.substr(start, kept);
  return true;
}

}  // namespace

bool TrimInPlaceA(std::string& text) { return TrimInPlace(text); }
bool TrimInPlaceW(std::u16string& text) { return TrimInPlace(text); }

std::string TrimA(std::string_view text) {
  std::string result(text);
  TrimInPlace(result);
  return result;
}

std::u16string TrimW(std::u16string_view text) {
  std::u16string result(text);
  TrimInPlace(result);
  return result;
}

bool KillCharW(std::u16string& text, char16_t character) { return std::erase(text, character) > 0; }

bool KillCharSetW(std::u16string& text, const TCharSet& set) {
  return std::erase_if(text, [&set](char16_t c) { return set.Contains(c); }) > 0;
}

bool KillSubStrW(std::u16string& text, std::u16string_view sub) {
  return Replace<char16_t>(text, sub, {}, false, false);
}

bool ReplaceStrA(std::string& text, std::string_view sub, std::string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, false);
}
bool ReplaceStrW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, false);
}
bool ReplaceTextA(std::string& text, std::string_view sub, std::string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, true);
}
bool ReplaceTextW(std::u16string& text, std::u16string_view sub, std::u16string_view replacement, bool rescan) {
  return Replace(text, sub, replacement, rescan, true);
}

std::string StrDeleteCopyA(std::string_view text, int index, int count) { return DeleteCopy(text, index, count); }
std::u16string StrDeleteCopyW(std::u16string_view text, int index, int count) {
  return DeleteCopy(text, index, count);
}

bool KeepRangeA(std::string& text, int index, int count) { return KeepRange(text, index, count); }
bool KeepRangeW(std::u16string& text, int index, int count) { return KeepRange(text, index, count); }

std::u16string RightChars(std::u16string_view text, int n) {
  if (n <= 0) return {};
  return std::u16string(text.substr(text.size() - std::min(static_cast<size_t>(n), text.size())));
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
