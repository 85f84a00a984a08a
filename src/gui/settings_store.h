#pragma once
// The ini-like settings store of the shell: a section names a group of values (a
// registry subkey on Windows), a key one value in it. Settings must never stop the
// program, so every read takes a default and falls back to it when the value is missing,
// of another kind or cannot be read at all. Writes raise on failure; the caller decides
// whether that matters.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace palvetta {

class TSettingsStore {
 public:
  virtual ~TSettingsStore() = default;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  virtual void WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  virtual void WriteInteger(std::string_view section, std::string_view key, int value) = 0;
  virtual void WriteBool(std::string_view section, std::string_view key, bool value) = 0;
  // Removes the value; one that does not exist is no error.
  virtual void DeleteValue(std::string_view section, std::string_view key) = 0;

 protected:
  // The stored value, or nothing when it is missing or not of that kind. May raise; the
  // public reads turn that into the default.
  virtual std::optional<std::string> FindString(std::string_view section,
                                                std::string_view key) const = 0;
  virtual std::optional<int> FindInteger(std::string_view section, std::string_view key) const = 0;
  virtual std::optional<bool> FindBool(std::string_view section, std::string_view key) const = 0;
};

// Stored text as a setting: a whole decimal number that fits an int, optionally signed
// and surrounded by blanks. Anything else is nothing.
std::optional<int> ParseSettingInteger(std::string_view text);
// "True"/"False" in any case, or a number (non-zero is true), as ini files hold them.
std::optional<bool> ParseSettingBool(std::string_view text);

// Settings kept in memory as text, the way an ini file keeps them. Tests use it, and so
// does anything that must not touch the registry.
class TMemorySettingsStore : public TSettingsStore {
 public:
  // Make every read or write raise, to show that callers survive a broken store.
  bool FailReads = false;
  bool FailWrites = false;

  void WriteString(std::string_view section, std::string_view key,
                   std::string_view value) override;
  void WriteInteger(std::string_view section, std::string_view key, int value) override;
  void WriteBool(std::string_view section, std::string_view key, bool value) override;
  void DeleteValue(std::string_view section, std::string_view key) override;

  // The raw text of a value, for tests to look at without the fallbacks of the reads.
  std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;
  bool Empty() const { return FValues.empty(); }

 protected:
  std::optional<std::string> FindString(std::string_view section,
                                        std::string_view key) const override;
  std::optional<int> FindInteger(std::string_view section, std::string_view key) const override;
  std::optional<bool> FindBool(std::string_view section, std::string_view key) const override;

 private:
  // Sections and keys ignore case, as registry subkeys and value names do.
  static std::pair<std::string, std::string> Slot(std::string_view section, std::string_view key);
  void Store(std::string_view section, std::string_view key, std::string text);

  std::map<std::pair<std::string, std::string>, std::string> FValues;
};

}  // namespace palvetta
