#pragma once
// The built-in default of each setting, which a module's settings fall back on when its
// resource lacks the key. Keys without a default read false, 0 or an empty text.

#include <span>
#include <string_view>

#include "crash/settings/sw_property.h"

namespace palvetta {

struct TDefaultSetting {
  const char* Name;
  TPropertyType Typ;
  bool VBool;
  int32_t VInt;
  const char* VStr;  // 8-bit text, for ptString
};

std::span<const TDefaultSetting> DefaultSettings() noexcept;

// The default of that key (exact name); nullptr when the table has none.
const TDefaultSetting* FindDefaultSetting(std::string_view name) noexcept;

// The default as a property, its text widened from the 8-bit constant.
TSWProperty DefaultAsProperty(const TDefaultSetting& setting);

}  // namespace palvetta
