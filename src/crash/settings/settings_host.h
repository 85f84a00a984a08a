#pragma once
// What a settings object needs from the platform: the process's shared settings blocks
// (parsed from each module's settings resource), the version text a module points at,
// and the facts of the placeholders. Windows answers from the system; tests give their
// own modules and resources.

#include <cstdint>
#include <string>

#include "crash/settings/placeholders.h"
#include "crash/settings/sw_property.h"

namespace palvetta {

class ISettingsHost {
 public:
  virtual ~ISettingsHost() = default;
  // The module's shared block, one reference more; nullptr when the module has no
  // settings resource or the registry cannot be opened.
  virtual TSWSettingsModule* AcquireModuleSettings(uintptr_t module) = 0;
  virtual void ReleaseModuleSettings(TSWSettingsModule* block) = 0;
  virtual void ReloadModuleSettings(uintptr_t module, TSWSettingsModule* block) = 0;
  // The zero-terminated 8-bit text whose address is stored at module + offset; empty
  // when any of it cannot be read.
  virtual std::string ReadVersionText(uintptr_t module, uint32_t offset) = 0;
  virtual IPlaceholderFacts& PlaceholderFacts() = 0;
};

// The platform's host: Windows' registry and resources; elsewhere one without modules.
ISettingsHost& DefaultSettingsHost();

}  // namespace palvetta
