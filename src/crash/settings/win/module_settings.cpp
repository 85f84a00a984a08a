#include "crash/settings/win/module_settings.h"

#include <windows.h>

#include "crash/process/win/process_facts.h"
#include "crash/settings/win/settings_resource.h"

namespace palvetta {
namespace {

bool Usable(const MEMORY_BASIC_INFORMATION& region) {
  return region.State == MEM_COMMIT && (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) == 0;
}

uintptr_t ReporterModule() { return reinterpret_cast<uintptr_t>(OwnModule()); }

bool IsLoadedModule(uintptr_t base) { return !ModuleFileName(reinterpret_cast<HMODULE>(base)).empty(); }

bool HasSettings(uintptr_t module) { return !FindSettingsResource(module).empty(); }

bool ValidAndLinkedIn(const std::shared_ptr<TISWSettings>& settings) {
  return settings && settings->IsValid() && settings->LinkInSettings();
}

std::shared_ptr<TISWSettings> SettingsOf(uintptr_t module) { return std::make_shared<TISWSettings>(module, true); }

}  // namespace

std::shared_ptr<TISWSettings> MainModuleSettings(uintptr_t module) {
  if (module == 0) module = reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
  std::shared_ptr<TISWSettings> own = SettingsOf(module);
  // The crash reporter is linked into the module that carries it, so a module without
  // settings keeps its own (default) ones.
  if (!own->IsValid() || own->LinkInSettings()) return own;
  std::shared_ptr<TISWSettings> found = FindModuleSettings();
  return ValidAndLinkedIn(found) ? found : own;
}

std::shared_ptr<TISWSettings> SettingsOfAddress(const void* address) {
  const uintptr_t reporter = ReporterModule();
  std::shared_ptr<TISWSettings> settings;
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(address, &region, sizeof region) == sizeof region && Usable(region)) {
    const auto base = reinterpret_cast<uintptr_t>(region.AllocationBase);
    if (base != reporter && IsLoadedModule(base) && HasSettings(base)) settings = SettingsOf(base);
  }
  if (!settings || !settings->LinkInSettings()) {
    std::shared_ptr<TISWSettings> found = FindModuleSettings();
    if (!settings || ValidAndLinkedIn(found)) {
      if (found) settings = found;
    }
  }
  return settings ? settings : SettingsOf(reporter);
}

std::shared_ptr<TISWSettings> CallerModuleSettings() { return SettingsOfAddress(__builtin_return_address(0)); }

std::shared_ptr<TISWSettings> FindModuleSettings() {
  std::shared_ptr<TISWSettings> held;
  const uintptr_t reporter = ReporterModule();
  if (HasSettings(reporter)) held = SettingsOf(reporter);
  MEMORY_BASIC_INFORMATION region{};
  for (uintptr_t address = 0; !ValidAndLinkedIn(held);) {
    if (VirtualQuery(reinterpret_cast<const void*>(address), &region, sizeof region) != sizeof region) break;
    const auto base = reinterpret_cast<uintptr_t>(region.BaseAddress);
    if (Usable(region) && base == reinterpret_cast<uintptr_t>(region.AllocationBase) && IsLoadedModule(base) &&
        HasSettings(base)) {
      std::shared_ptr<TISWSettings> candidate = SettingsOf(base);
      if (!held || ValidAndLinkedIn(candidate)) held = candidate;
    }
    if (region.RegionSize == 0 || base + region.RegionSize <= address) break;
    address = base + region.RegionSize;
  }
  return held;
}

}  // namespace palvetta
