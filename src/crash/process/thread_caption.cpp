#include "crash/process/thread_caption.h"

#include <array>

#include "base/number_text.h"

namespace palvetta {
namespace {

constexpr std::array<std::u16string_view, 4> kHiddenNames = {
    u"-",
    u"Stackward - AntiFreezeThread",
    u"Stackward - HandleExceptionThread",
    u"Stackward - TraceProcessThread",
};

}  // namespace

bool IsHiddenThreadName(std::u16string_view name) noexcept {
  for (const auto hidden : kHiddenNames) {
    if (name == hidden) return true;
  }
  return false;
}

std::u16string ThreadCaptionText(uint32_t threadId, std::u16string_view name, std::u16string_view className,
                                 bool raw) {
  if (!raw && IsHiddenThreadName(name)) return {};
  const std::u16string id = CardToHexPadW(threadId);
  if (!name.empty() && name != u"-") return std::u16string(name) + u" (" + id + u")";
  std::u16string caption = u"thread " + id;
  if (!className.empty()) caption += u" (" + std::u16string(className) + u")";
  return caption;
}

}  // namespace palvetta
