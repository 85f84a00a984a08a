#pragma once
// Plain text values of the registry.

#include <windows.h>

#include <string>

namespace palvetta {

// The value's text (REG_SZ or REG_EXPAND_SZ, unexpanded); empty when it is missing.
std::u16string RegistryReadStr(HKEY root, const std::u16string& keyPath, const std::u16string& valueName);
// Writes a REG_SZ value, making the key when missing.
bool RegistryWriteStr(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                      const std::u16string& text);
bool RegistryDeleteValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName);

}  // namespace palvetta
