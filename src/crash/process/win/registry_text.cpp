#include "crash/process/win/registry_text.h"

#include "base/win/kernel_handles.h"
#include "system/win/system_info.h"

namespace palvetta {

std::u16string RegistryReadStr(HKEY root, const std::u16string& keyPath, const std::u16string& valueName) {
  TScopedRegKey key;
  if (RegOpenKeyExW(root, WidePtr(keyPath), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.Get(), WidePtr(valueName), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  std::u16string text(bytes / sizeof(char16_t) + 1, u'\0');
  if (RegQueryValueExW(key.Get(), WidePtr(valueName), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  // The stored text need not end with its zero.
  text.resize(bytes / sizeof(char16_t));
  const size_t zero = text.find(u'\0');
  if (zero != std::u16string::npos) text.resize(zero);
  return text;
}

bool RegistryWriteStr(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                      const std::u16string& text) {
  TScopedRegKey key;
  if (RegCreateKeyExW(root, WidePtr(keyPath), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
  return RegSetValueExW(key.Get(), WidePtr(valueName), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
         ERROR_SUCCESS;
}

bool RegistryDeleteValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName) {
  TScopedRegKey key;
  if (RegOpenKeyExW(root, WidePtr(keyPath), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return false;
  return RegDeleteValueW(key.Get(), WidePtr(valueName)) == ERROR_SUCCESS;
}

}  // namespace palvetta
