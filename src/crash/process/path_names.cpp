#include "crash/process/path_names.h"

#include <vector>

#include "base/path_text.h"
#include "base/text_edit.h"
#include "system/path_rules.h"

namespace palvetta {
namespace {

// Resolves each "\..\" step with the folder before it; a step at the root has nothing
// to take and goes alone.
std::u16string ResolveParentSteps(std::u16string_view path, size_t rootLength) {
  std::vector<std::u16string_view> kept;
  size_t start = rootLength;
  while (start <= path.size()) {
    const size_t slash = path.find(u'\\', start);
    const size_t end = slash == std::u16string_view::npos ? path.size() : slash;
    const std::u16string_view component = path.substr(start, end - start);
    const bool isStep = component == u".." && slash != std::u16string_view::npos;
    if (isStep) {
      if (!kept.empty()) kept.pop_back();
    } else {
      kept.push_back(component);
    }
    if (slash == std::u16string_view::npos) break;
    start = slash + 1;
  }
  std::u16string result(path.substr(0, rootLength));
  for (size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) result += u'\\';
    result += kept[i];
  }
  return result;
}

}  // namespace

std::u16string PathWithoutExt(std::u16string_view path) {
  const std::u16string extension = PathExtension(path);
  return std::u16string(path.substr(0, path.size() - extension.size()));
}

std::u16string ExpandToExeFolder(std::u16string_view path, std::u16string_view executablePath) {
  std::u16string result;
  const bool startsWithBackslash = !path.empty() && path[0] == u'\\';
  if (path.size() < 3 || (!startsWithBackslash && path[1] != u':')) {
    result = PathFolder(executablePath) + std::u16string(path);
  } else if (startsWithBackslash && path[1] != u'\\') {
    std::u16string root = PathRootW(executablePath);
    if (!root.empty() && root.back() == u'\\') root.pop_back();
    result = root + std::u16string(path);
  } else {
    result = std::u16string(path);
  }
  ReplaceStr(result, u"\\.\\", u"\\", true);
  const std::u16string root = PathRootW(result);
  return ResolveParentSteps(result, root.size());
}

}  // namespace palvetta
