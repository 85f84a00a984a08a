#include "gui/settings_store.h"

#include <charconv>
#include <stdexcept>

#include "base/text.h"

namespace palvetta {

std::string TSettingsStore::ReadString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) const {
  try {
    if (auto value = FindString(section, key)) return *value;
  } catch (const std::exception&) {
  }
  return std::string(defaultValue);
}

int TSettingsStore::ReadInteger(std::string_view section, std::string_view key,
                                int defaultValue) const {
  try {
    if (auto value = FindInteger(section, key)) return *value;
  } catch (const std::exception&) {
  }
  return defaultValue;
}

bool TSettingsStore::ReadBool(std::string_view section, std::string_view key,
                              bool defaultValue) const {
  try {
    if (auto value = FindBool(section, key)) return *value;
  } catch (const std::exception&) {
  }
  return defaultValue;
}

std::optional<int> ParseSettingInteger(std::string_view text) {
  const std::string trimmed = Trim(text);
  std::string_view digits = trimmed;
  // from_chars takes a minus sign but no plus sign.
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<bool> ParseSettingBool(std::string_view text) {
  const std::string trimmed = Trim(text);
  if (SameTextAscii(trimmed, "True")) return true;
  if (SameTextAscii(trimmed, "False")) return false;
  if (auto number = ParseSettingInteger(trimmed)) return *number != 0;
  return std::nullopt;
}

void TMemorySettingsStore::WriteString(std::string_view section, std::string_view key,
                                       std::string_view value) {
  Store(section, key, std::string(value));
}

void TMemorySettingsStore::WriteInteger(std::string_view section, std::string_view key,
                                        int value) {
  Store(section, key, std::to_string(value));
}

void TMemorySettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  Store(section, key, value ? "1" : "0");
}

void TMemorySettingsStore::DeleteValue(std::string_view section, std::string_view key) {
  if (FailWrites) throw std::runtime_error("settings store: write failed");
  FValues.erase(Slot(section, key));
}

std::optional<std::string> TMemorySettingsStore::RawValue(std::string_view section,
                                                          std::string_view key) const {
  const auto found = FValues.find(Slot(section, key));
  if (found == FValues.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> TMemorySettingsStore::FindString(std::string_view section,
                                                            std::string_view key) const {
  if (FailReads) throw std::runtime_error("settings store: read failed");
  return RawValue(section, key);
}

std::optional<int> TMemorySettingsStore::FindInteger(std::string_view section,
                                                     std::string_view key) const {
  const auto text = FindString(section, key);
  if (!text) return std::nullopt;
  return ParseSettingInteger(*text);
}

std::optional<bool> TMemorySettingsStore::FindBool(std::string_view section,
                                                   std::string_view key) const {
  const auto text = FindString(section, key);
  if (!text) return std::nullopt;
  return ParseSettingBool(*text);
}

std::pair<std::string, std::string> TMemorySettingsStore::Slot(std::string_view section,
                                                               std::string_view key) {
  return {UpperAscii(section), UpperAscii(key)};
}

void TMemorySettingsStore::Store(std::string_view section, std::string_view key,
                                 std::string text) {
  if (FailWrites) throw std::runtime_error("settings store: write failed");
  FValues[Slot(section, key)] = std::move(text);
}

}  // namespace palvetta
