// Feeds any bytes to the settings resource reader, with the password deciphering that
// loading a module's block adds. It must stop inside the bytes, keep only well-formed
// entries, and read nothing from what is not a settings object.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "crash/settings/settings_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace palvetta;
  TSWSettingsModule block;
  const TFormStreamResult result = LoadModuleSettings(block, std::span<const uint8_t>(data, size));
  if (result.Status == fsBadHeader && !block.Props.empty()) std::abort();
  for (const TSWProperty& prop : block.Props) {
    if (prop.Name.empty() || prop.Name.size() > 255) std::abort();
    if (prop.Typ != ptString && !prop.VStr.empty()) std::abort();
  }
  return 0;
}
