#include "base/delimited_list.h"

#include <algorithm>

#include "base/text_search.h"

namespace palvetta {
namespace {

// Calls visit with each item in order until it returns true; whether one did.
template <class Visit>
bool AnyItem(std::u16string_view text, char16_t delimiter, Visit visit) {
  if (text.empty()) return false;
  while (true) {
    const size_t end = text.find(delimiter);
    if (visit(text.substr(0, end))) return true;
    if (end == std::u16string_view::npos) return false;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

size_t SubStrCount(std::u16string_view text, char16_t delimiter) noexcept {
  return text.empty() ? 0 : static_cast<size_t>(std::count(text.begin(), text.end(), delimiter)) + 1;
}

std::u16string SubStr(std::u16string_view text, size_t index, char16_t delimiter) {
  std::u16string_view found;
  size_t current = 0;
  const bool reached = AnyItem(text, delimiter, [&](std::u16string_view item) {
    found = item;
    return current++ == index;
  });
  return reached ? std::u16string(found) : std::u16string();
}

bool IsItemInListText(std::u16string_view list, std::u16string_view item, char16_t delimiter) noexcept {
  return !item.empty() && AnyItem(list, delimiter, [item](std::u16string_view each) { return SameTextW(each, item); });
}

}  // namespace palvetta
