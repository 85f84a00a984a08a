#pragma once
// How the bug report names a thread, from what the thread-name registry holds of it.

#include <cstdint>
#include <string>
#include <string_view>

namespace palvetta {

// The reporter's own threads (and threads named "-"), which the report leaves out.
bool IsHiddenThreadName(std::u16string_view name) noexcept;

// "name ($id)" for a named thread; else "thread $id", followed by " (class)" when the
// thread's creator is known by class. Empty for a hidden thread unless raw is asked for.
std::u16string ThreadCaptionText(uint32_t threadId, std::u16string_view name, std::u16string_view className,
                                 bool raw);

}  // namespace palvetta
