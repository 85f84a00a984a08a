#include "base/text_search.h"

#include <algorithm>

#include "base/case_folding.h"

namespace palvetta {
namespace {

char16_t Fold(char16_t c) { return FoldCharW(c); }
char Fold(char c) { return FoldCharA(c); }

template <class C>
bool SameChar(C a, C b, bool ignoreCase) {
  return a == b || (ignoreCase && Fold(a) == Fold(b));
}

template <class C>
bool MatchesAt(const C* sub, size_t subLength, const C* text, bool ignoreCase) {
  for (size_t i = 0; i < subLength; ++i) {
    if (!SameChar(sub[i], text[i], ignoreCase)) return false;
  }
  return true;
}

template <class C>
size_t Length(const C* text) {
  size_t length = 0;
  if (text) {
    while (text[length] != 0) ++length;
  }
  return length;
}

template <class C>
int FindInBuffer(const C* sub, size_t subLength, const C* text, size_t textLength, int from, int to,
                 bool ignoreCase) {
  if (subLength == 0) subLength = Length(sub);
  if (textLength == 0) textLength = Length(text);
  if (subLength == 0 || textLength == 0 || subLength > textLength) return -1;
  const long long lastStart = static_cast<long long>(textLength - subLength);
  if (to < from) {
    for (long long start = std::min<long long>(from, lastStart); start >= std::max(to, 0); --start) {
      if (MatchesAt(sub, subLength, text + start, ignoreCase)) return static_cast<int>(start);
    }
  } else {
    for (long long start = std::max(from, 0); start <= std::min<long long>(to, lastStart); ++start) {
      if (MatchesAt(sub, subLength, text + start, ignoreCase)) return static_cast<int>(start);
    }
  }
  return -1;
}

// The 1-based form: empty texts and a range touching 0 find nothing.
template <class C>
int Pos(std::basic_string_view<C> sub, std::basic_string_view<C> text, int from, int to, bool ignoreCase) {
  if (sub.empty() || text.empty() || from <= 0 || to <= 0) return 0;
  return FindInBuffer(sub.data(), sub.size(), text.data(), text.size(), from - 1,
                      to == kToEnd ? to : to - 1, ignoreCase) + 1;
}

template <class C>
bool SameText(std::basic_string_view<C> a, std::basic_string_view<C> b) {
  return a.size() == b.size() && MatchesAt(a.data(), a.size(), b.data(), true);
}

}  // namespace

int FindInBufferA(const char* sub, size_t subLength, const char* text, size_t textLength, int from,
                  int to, bool ignoreCase) noexcept {
  return FindInBuffer(sub, subLength, text, textLength, from, to, ignoreCase);
}

int FindInBufferW(const char16_t* sub, size_t subLength, const char16_t* text, size_t textLength,
                  int from, int to, bool ignoreCase) noexcept {
  return FindInBuffer(sub, subLength, text, textLength, from, to, ignoreCase);
}

int PosTextA(std::string_view sub, std::string_view text, int from, int to) noexcept {
  return Pos(sub, text, from, to, true);
}
int PosInRange(std::u16string_view sub, std::u16string_view text, int from, int to) noexcept {
  return Pos(sub, text, from, to, true);
}

bool SameTextW(std::u16string_view a, std::u16string_view b) noexcept { return SameText(a, b); }

int CompareTextW(std::u16string_view a, std::u16string_view b) noexcept {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int difference = static_cast<int>(Fold(a[i])) - static_cast<int>(Fold(b[i]));
    if (difference != 0) return difference;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

}  // namespace palvetta
