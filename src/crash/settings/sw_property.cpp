#include "crash/settings/sw_property.h"

#include "crash/settings/settings_table.h"

namespace palvetta {

int TSWSettingsModule::FindPropIndex(std::string_view name) const noexcept {
  for (size_t i = 0; i < Props.size(); ++i) {
    if (Props[i].Name == name) return static_cast<int>(i);
  }
  return -1;
}

void TSWSettingsModule::IndexRows() {
  RowProps.assign(kSWSettingCount, -1);
  for (size_t i = 0; i < Props.size(); ++i) {
    const int row = FindSWSettingRow(Props[i].Name);
    // The first property of a name counts, as FindPropIndex has it.
    if (row >= 0 && RowProps[static_cast<size_t>(row)] < 0) RowProps[static_cast<size_t>(row)] = static_cast<int32_t>(i);
  }
}

void TSWSettingsModule::FreeModuleProps() noexcept {
  Props.clear();
  Props.shrink_to_fit();
  RowProps.clear();
}

}  // namespace palvetta
