#include "gui/win/registry_settings_store.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

#include "base/win/kernel_handles.h"
#include "base/win/wide.h"

namespace palvetta {

namespace {

[[noreturn]] void RaiseRegistryError(const char* what, std::string_view key, LSTATUS status) {
  throw std::runtime_error(std::string("registry: ") + what + " " + std::string(key) +
                           " failed with error " + std::to_string(status));
}

struct TRawValue {
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};

// Nothing when the key or value does not exist; raises on any other failure.
std::optional<TRawValue> QueryValue(const std::wstring& keyPath, std::string_view name) {
  TScopedRegKey key;
  LSTATUS status =
      RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive());
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) RaiseRegistryError("opening", Narrow(keyPath), status);
  const std::wstring valueName = Widen(name);
  TRawValue value;
  // The value may grow between asking for its size and reading it.
  for (;;) {
    DWORD size = static_cast<DWORD>(value.Data.size());
    status = RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &value.Type,
                              value.Data.empty() ? nullptr : value.Data.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && value.Data.size() < size)) {
      value.Data.resize(size);
      continue;
    }
    if (status != ERROR_SUCCESS) RaiseRegistryError("reading", name, status);
    value.Data.resize(size);
    return value;
  }
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Registry text need not end in a terminator, and may carry more than one.
std::string TextOf(const TRawValue& value) {
  std::wstring text(value.Data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), value.Data.data(), text.size() * sizeof(wchar_t));
  const size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return Narrow(text);
}

std::optional<int> DwordOf(const TRawValue& value) {
  if (value.Type != REG_DWORD || value.Data.size() != sizeof(DWORD)) return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, value.Data.data(), sizeof number);
  return static_cast<int>(number);
}

void SetValue(const std::wstring& keyPath, std::string_view name, DWORD type, const void* data,
              DWORD size) {
  TScopedRegKey key;
  LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0,
                                   KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
  if (status != ERROR_SUCCESS) RaiseRegistryError("creating", Narrow(keyPath), status);
  status = RegSetValueExW(key.Get(), Widen(name).c_str(), 0, type,
                          static_cast<const BYTE*>(data), size);
  if (status != ERROR_SUCCESS) RaiseRegistryError("writing", name, status);
}

}  // namespace

std::wstring TRegistrySettingsStore::KeyPath(std::string_view section) const {
  std::wstring path = Widen(FRootPath);
  if (!section.empty()) path += L'\\' + Widen(section);
  return path;
}

void TRegistrySettingsStore::WriteString(std::string_view section, std::string_view key,
                                         std::string_view value) {
  const std::wstring text = Widen(value);
  SetValue(KeyPath(section), key, REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void TRegistrySettingsStore::WriteInteger(std::string_view section, std::string_view key,
                                          int value) {
  WriteDword(section, key, value);
}

void TRegistrySettingsStore::WriteBool(std::string_view section, std::string_view key,
                                       bool value) {
  WriteDword(section, key, value ? 1 : 0);
}

void TRegistrySettingsStore::WriteDword(std::string_view section, std::string_view key,
                                        int value) {
  const DWORD number = static_cast<DWORD>(value);
  SetValue(KeyPath(section), key, REG_DWORD, &number, sizeof number);
}

void TRegistrySettingsStore::DeleteValue(std::string_view section, std::string_view key) {
  const std::wstring keyPath = KeyPath(section);
  TScopedRegKey handle;
  LSTATUS status =
      RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, handle.Receive());
  if (status == ERROR_FILE_NOT_FOUND) return;
  if (status != ERROR_SUCCESS) RaiseRegistryError("opening", Narrow(keyPath), status);
  status = RegDeleteValueW(handle.Get(), Widen(key).c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    RaiseRegistryError("deleting", key, status);
  }
}

std::optional<std::string> TRegistrySettingsStore::FindString(std::string_view section,
                                                              std::string_view key) const {
  const auto value = QueryValue(KeyPath(section), key);
  if (!value || !IsText(value->Type)) return std::nullopt;
  return TextOf(*value);
}

std::optional<int> TRegistrySettingsStore::FindInteger(std::string_view section,
                                                       std::string_view key) const {
  const auto value = QueryValue(KeyPath(section), key);
  if (!value) return std::nullopt;
  return DwordOf(*value);
}

std::optional<bool> TRegistrySettingsStore::FindBool(std::string_view section,
                                                     std::string_view key) const {
  const auto value = QueryValue(KeyPath(section), key);
  if (!value) return std::nullopt;
  if (IsText(value->Type)) return ParseSettingBool(TextOf(*value));
  if (const auto number = DwordOf(*value)) return *number != 0;
  return std::nullopt;
}

}  // namespace palvetta
