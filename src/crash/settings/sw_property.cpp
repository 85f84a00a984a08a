#include "crash/settings/sw_property.h"

namespace palvetta {

int TSWSettingsModule::FindPropIndex(std::string_view name) const noexcept {
  for (size_t i = 0; i < Props.size(); ++i) {
    if (Props[i].Name == name) return static_cast<int>(i);
  }
  return -1;
}

void TSWSettingsModule::FreeModuleProps() noexcept {
  Props.clear();
  Props.shrink_to_fit();
}

}  // namespace palvetta
