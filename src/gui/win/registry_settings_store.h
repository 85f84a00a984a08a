#pragma once
// The settings store over the current user's registry: each section is a subkey of the
// root key, each key a value in it. Integers and booleans are REG_DWORD, text REG_SZ.

#include <string>
#include <string_view>

#include "gui/settings_store.h"

namespace palvetta {

class TRegistrySettingsStore : public TSettingsStore {
 public:
  static constexpr std::string_view kDefaultRootPath = "Software\\Palvetta";

  // The root is a path below HKEY_CURRENT_USER; tests pass a scratch key.
  explicit TRegistrySettingsStore(std::string rootPath = std::string(kDefaultRootPath))
      : FRootPath(std::move(rootPath)) {}
  const std::string& RootPath() const { return FRootPath; }

  // Create the section's subkey when needed; raise std::runtime_error on failure.
  void WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view key, int value) override;
  void WriteBool(std::string_view section, std::string_view key, bool value) override;
  // A missing subkey or value is no error; any other failure raises std::runtime_error.
  void DeleteValue(std::string_view section, std::string_view key) override;

 protected:
  std::optional<std::string> FindString(std::string_view section,
                                        std::string_view key) const override;
  std::optional<int> FindInteger(std::string_view section, std::string_view key) const override;
  // A REG_DWORD, or for hand-edited values also a REG_SZ such as "1" or "True".
  std::optional<bool> FindBool(std::string_view section, std::string_view key) const override;

 private:
  std::wstring KeyPath(std::string_view section) const;
  void WriteDword(std::string_view section, std::string_view key, int value);

  std::string FRootPath;
};

}  // namespace palvetta
