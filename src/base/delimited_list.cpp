#include "base/delimited_list.h"

#include <algorithm>

#include "base/text_search.h"

namespace palvetta {
namespace {

template <class C>
int SubStrCount(std::basic_string_view<C> text, C delimiter) {
  return text.empty() ? 0 : static_cast<int>(std::count(text.begin(), text.end(), delimiter)) + 1;
}

// Calls visit with each item in order until it returns true; whether one did.
template <class C, class Visit>
bool AnyItem(std::basic_string_view<C> text, C delimiter, Visit visit) {
  if (text.empty()) return false;
  while (true) {
    const size_t end = text.find(delimiter);
    if (visit(text.substr(0, end))) return true;
    if (end == std::basic_string_view<C>::npos) return false;
    text.remove_prefix(end + 1);
  }
}

template <class C>
std::basic_string<C> SubStr(std::basic_string_view<C> text, int index, C delimiter) {
  std::basic_string_view<C> found;
  int current = 0;
  AnyItem(text, delimiter, [&](std::basic_string_view<C> item) {
    found = item;
    return ++current == index;
  });
  return current == index ? std::basic_string<C>(found) : std::basic_string<C>();
}

}  // namespace

int SubStrCountA(std::string_view text, char delimiter) noexcept { return SubStrCount(text, delimiter); }
int SubStrCountW(std::u16string_view text, char16_t delimiter) noexcept { return SubStrCount(text, delimiter); }

std::string SubStrA(std::string_view text, int index, char delimiter) { return SubStr(text, index, delimiter); }
std::u16string SubStrW(std::u16string_view text, int index, char16_t delimiter) {
  return SubStr(text, index, delimiter);
}

bool IsItemInListW(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept {
  return !item.empty() && AnyItem(list, delimiter, [item](std::u16string_view each) { return each == item; });
}

bool IsItemInListTextW(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept {
  return !item.empty() && AnyItem(list, delimiter, [item](std::u16string_view each) { return SameTextW(each, item); });
}

}  // namespace palvetta
