#include "crash/settings/win/settings_resource.h"

#include <windows.h>

namespace palvetta {

std::span<const uint8_t> FindSettingsResource(uintptr_t module) noexcept {
  const auto instance = reinterpret_cast<HMODULE>(module);
  HRSRC info = FindResourceW(instance, L"TSTACKWARD", MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL loaded = LoadResource(instance, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const uint8_t*>(bytes), SizeofResource(instance, info)};
}

}  // namespace palvetta
