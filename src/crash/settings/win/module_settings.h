#pragma once
// Which module's settings apply: to the program as a whole, to the code at an address,
// or to the caller of an exported service.

#include <cstdint>
#include <memory>

#include "crash/settings/sw_settings.h"

namespace palvetta {

// The settings of the module (0: the executable).
std::shared_ptr<TISWSettings> MainModuleSettings(uintptr_t module);
// The settings that apply to the code at address.
std::shared_ptr<TISWSettings> SettingsOfAddress(const void* address);
// SettingsOfAddress of the code that called it.
std::shared_ptr<TISWSettings> CallerModuleSettings();
// The settings of the first module whose settings are linked in (the crash reporter's
// own module first); those found last when none is linked in; nullptr when no module
// has any.
std::shared_ptr<TISWSettings> FindModuleSettings();

}  // namespace palvetta
