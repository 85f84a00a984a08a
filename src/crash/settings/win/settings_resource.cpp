#include "crash/settings/win/settings_resource.h"

#include <windows.h>

#include "pe/win/loaded_image.h"

namespace palvetta {

std::span<const uint8_t> FindSettingsResource(uintptr_t module) noexcept {
  return ResourceBytes(reinterpret_cast<HMODULE>(module), RT_RCDATA, L"TSTACKWARD");
}

}  // namespace palvetta
