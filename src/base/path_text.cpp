#include "base/path_text.h"

namespace palvetta {
namespace {

constexpr size_t kNone = std::u16string_view::npos;

// Where the file name starts: behind the last backslash.
size_t FileNameStart(std::u16string_view path) {
  const size_t slash = path.rfind(u'\\');
  return slash == kNone ? 0 : slash + 1;
}

}  // namespace

std::u16string PathFileName(std::u16string_view path) { return std::u16string(path.substr(FileNameStart(path))); }

std::u16string PathFolder(std::u16string_view path) { return std::u16string(path.substr(0, FileNameStart(path))); }

std::u16string PathExtension(std::u16string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = path.rfind(u'.');
  if (dot == kNone || dot < start) return {};
  return std::u16string(path.substr(dot));
}

}  // namespace palvetta
