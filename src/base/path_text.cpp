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

std::u16string PathRoot(std::u16string_view path) {
  if (path.substr(0, 2) == u"\\\\") {
    // The server name starts at the third character: its end is the first backslash
    // from the fourth on, the share name's end the next one.
    const size_t serverEnd = path.find(u'\\', 3);
    const size_t shareEnd = serverEnd == kNone ? kNone : path.find(u'\\', serverEnd + 1);
    if (shareEnd == kNone) return std::u16string(path) + u'\\';
    return std::u16string(path.substr(0, shareEnd + 1));
  }
  if (path.size() >= 2 && path[1] == u':') return std::u16string{path[0], u':', u'\\'};
  return std::u16string(path);
}

std::u16string PathExtension(std::u16string_view path) {
  const size_t start = FileNameStart(path);
  const size_t dot = path.rfind(u'.');
  if (dot == kNone || dot < start) return {};
  return std::u16string(path.substr(dot));
}

}  // namespace palvetta
