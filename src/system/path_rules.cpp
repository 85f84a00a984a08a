#include "system/path_rules.h"

namespace palvetta {
namespace {

template <class Char>
std::basic_string<Char> RootOf(std::basic_string_view<Char> path) {
  using TText = std::basic_string<Char>;
  constexpr auto kNone = std::basic_string_view<Char>::npos;
  if (path.size() < 2) return {};
  if (path[0] == Char('\\') && path[1] == Char('\\')) {
    const size_t serverEnd = path.find(Char('\\'), 2);
    if (serverEnd == kNone) return {};
    const size_t shareEnd = path.find(Char('\\'), serverEnd + 1);
    return shareEnd == kNone ? TText(path) : TText(path.substr(0, shareEnd + 1));
  }
  if (path[1] == Char(':')) return TText(path.substr(0, 3));
  return {};
}

}  // namespace

std::string PathRootA(std::string_view path) { return RootOf(path); }
std::u16string PathRootW(std::u16string_view path) { return RootOf(path); }

bool HasNoWildcard(std::u16string_view component) noexcept {
  return component.find_first_of(u"*?") == std::u16string_view::npos;
}

bool HasTilde(std::u16string_view component) noexcept { return component.find(u'~') != std::u16string_view::npos; }

std::u16string RewritePathComponents(std::u16string_view path, bool (*wanted)(std::u16string_view component),
                                     const TComponentLookup& lookup) {
  const std::u16string root = PathRootW(path);
  std::u16string result = root;
  size_t start = root.size();
  if (start >= path.size()) return std::u16string(path);
  // Each lookup names the component by the path as written up to it, so the order of
  // the lookups does not change the result.
  while (true) {
    const size_t slash = path.find(u'\\', start);
    const size_t end = slash == std::u16string_view::npos ? path.size() : slash;
    const std::u16string_view component = path.substr(start, end - start);
    std::optional<std::u16string> found;
    if (!component.empty() && wanted(component)) found = lookup(std::u16string(path.substr(0, end)));
    result += found ? std::u16string_view(*found) : component;
    if (end == path.size()) break;
    result += u'\\';
    start = end + 1;
  }
  return result;
}

}  // namespace palvetta
