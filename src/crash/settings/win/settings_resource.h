#pragma once
// Where a module keeps its crash reporter settings: the RCDATA resource TSTACKWARD.

#include <cstdint>
#include <span>

namespace palvetta {

// The resource's bytes, which live as long as the module is loaded; empty when the
// module has none.
std::span<const uint8_t> FindSettingsResource(uintptr_t module) noexcept;

}  // namespace palvetta
