#include "base/text_search.h"

#include <algorithm>

#include "base/case_folding.h"

namespace palvetta {
namespace {

char16_t Fold(char16_t c) { return FoldCharW(c); }
char Fold(char c) { return FoldCharA(c); }

template <class C>
bool SameTextAt(std::basic_string_view<C> sub, const C* text) {
  for (size_t i = 0; i < sub.size(); ++i) {
    if (sub[i] != text[i] && Fold(sub[i]) != Fold(text[i])) return false;
  }
  return true;
}

// An empty sub or text finds nothing.
template <class C>
size_t FindText(std::basic_string_view<C> sub, std::basic_string_view<C> text, size_t from, size_t to) {
  if (sub.empty() || sub.size() > text.size()) return kNotFound;
  const size_t lastStart = text.size() - sub.size();
  if (to < from) {
    for (size_t start = std::min(from, lastStart) + 1; start-- > to;) {
      if (SameTextAt(sub, text.data() + start)) return start;
    }
  } else {
    for (size_t start = from; start <= std::min(to, lastStart); ++start) {
      if (SameTextAt(sub, text.data() + start)) return start;
    }
  }
  return kNotFound;
}

}  // namespace

size_t PosTextA(std::string_view sub, std::string_view text, size_t from, size_t to) noexcept {
  return FindText(sub, text, from, to);
}
size_t PosInRange(std::u16string_view sub, std::u16string_view text, size_t from, size_t to) noexcept {
  return FindText(sub, text, from, to);
}

bool SameTextW(std::u16string_view a, std::u16string_view b) noexcept {
  return a.size() == b.size() && SameTextAt(a, b.data());
}

int CompareTextW(std::u16string_view a, std::u16string_view b) noexcept {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int difference = static_cast<int>(Fold(a[i])) - static_cast<int>(Fold(b[i]));
    if (difference != 0) return difference;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

}  // namespace palvetta
