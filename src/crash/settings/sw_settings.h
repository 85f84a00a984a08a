#pragma once
// The crash reporter's settings object: the settings of one module, read from the block
// parsed from its settings resource, falling back on the built-in defaults (the
// executable's settings) or on the executable's settings (any other module). Three
// interfaces show it: ISWSettings (what the report and its delivery read),
// ISWModuleSettings (adds activation and the exception filters) and ISWSettingsEx (typed
// access by key name, the form cache).

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "crash/lists/list_owners.h"
#include "crash/lists/sw_attachments.h"
#include "crash/lists/sw_fields.h"
#include "crash/settings/form_cache.h"
#include "crash/settings/placeholders.h"
#include "crash/settings/settings_host.h"
#include "crash/settings/sw_property.h"
#include "crash/settings/settings_table.h"

namespace palvetta {

// An assistant built from the module's form resources (the assistant engine).
class IWzAssistant;

#define PALVETTA_SW_DECLARE_PAIR(Name, Key, Kind, Default)     \
  virtual TSWKind##Kind Get##Name() = 0;              \
  virtual void Set##Name(const TSWKind##Kind& value) = 0;
#define PALVETTA_SW_DECLARE_GETTER(Name, Key, Kind, Default) virtual TSWKind##Kind Name() = 0;

class ISWSettings {
 public:
  virtual ~ISWSettings() = default;
  virtual uintptr_t Module() = 0;
  PALVETTA_SW_SETTINGS_PAIRS(PALVETTA_SW_DECLARE_PAIR)
  // The lists of AddFields and AddAttachs; a change to one is written back to its setting.
  virtual std::shared_ptr<ISWFields> GetAdditionalFields() = 0;
  virtual std::shared_ptr<ISWAttachments> GetAdditionalAttachments() = 0;
  // Whether the report plug-in is a whole item of Plugins, ignoring case.
  virtual bool GetPluginEnabled(std::u16string_view plugin) = 0;
  virtual void SetPluginEnabled(std::u16string_view plugin, bool value) = 0;
  virtual std::u16string VersionVar() = 0;
  virtual std::shared_ptr<IWzAssistant> GetAssistant(std::u16string_view name) = 0;
};

class ISWModuleSettings : public ISWSettings {
 public:
  virtual bool IsValid() = 0;
  PALVETTA_SW_MODULE_GETTERS(PALVETTA_SW_DECLARE_GETTER)
  virtual bool LinkInSettings() = 0;
  virtual bool LinkInMapFile() = 0;
  virtual bool CrashOnOverrun() = 0;
  virtual bool CrashOnUnderrun() = 0;
  PALVETTA_SW_MODULE_PAIRS(PALVETTA_SW_DECLARE_PAIR)
  // Parses the module's resource again; values set since are lost.
  virtual void Reload() = 0;
};

class TISWSettings;

class ISWSettingsEx {
 public:
  virtual ~ISWSettingsEx() = default;
  virtual bool GetPropBool(std::string_view name) = 0;
  virtual int32_t GetPropInt(std::string_view name) = 0;
  virtual std::u16string GetPropStr(std::string_view name) = 0;
  virtual uint32_t GetPropDw(std::string_view name) = 0;
  virtual void FillFormCache(IFormCacheAssistant& assistant) = 0;
  virtual void ReadFormCache(IFormCacheAssistant& assistant) = 0;
  virtual TISWSettings* GetSelf() = 0;
};

#undef PALVETTA_SW_DECLARE_PAIR
#undef PALVETTA_SW_DECLARE_GETTER

#define PALVETTA_SW_OVERRIDE_PAIR(Name, Key, Kind, Default) \
  TSWKind##Kind Get##Name() override;              \
  void Set##Name(const TSWKind##Kind& value) override;
#define PALVETTA_SW_OVERRIDE_GETTER(Name, Key, Kind, Default) TSWKind##Kind Name() override;

class TISWSettings : public ISWModuleSettings, public ISWSettingsEx, public ISettingsListOwner {
 public:
  // With init, takes the module's shared block (not valid when the module has none);
  // without, holds no block (the exception object brings its own).
  TISWSettings(uintptr_t module, bool init, ISettingsHost& host = DefaultSettingsHost());
  ~TISWSettings() override;
  TISWSettings(const TISWSettings&) = delete;
  TISWSettings& operator=(const TISWSettings&) = delete;

  uintptr_t Module() override { return FModule; }
  PALVETTA_SW_SETTINGS_PAIRS(PALVETTA_SW_OVERRIDE_PAIR)
  std::shared_ptr<ISWFields> GetAdditionalFields() override;
  std::shared_ptr<ISWAttachments> GetAdditionalAttachments() override;
  bool GetPluginEnabled(std::u16string_view plugin) override;
  void SetPluginEnabled(std::u16string_view plugin, bool value) override;
  std::u16string VersionVar() override { return FVersionVar; }
  // Nothing until the assistant engine exists.
  std::shared_ptr<IWzAssistant> GetAssistant(std::u16string_view name) override;

  bool IsValid() override { return FValid; }
  PALVETTA_SW_MODULE_GETTERS(PALVETTA_SW_OVERRIDE_GETTER)
  bool LinkInSettings() override;
  bool LinkInMapFile() override;
  bool CrashOnOverrun() override;
  bool CrashOnUnderrun() override;
  PALVETTA_SW_MODULE_PAIRS(PALVETTA_SW_OVERRIDE_PAIR)
  void Reload() override;

  bool GetPropBool(std::string_view name) override;
  int32_t GetPropInt(std::string_view name) override;
  std::u16string GetPropStr(std::string_view name) override;
  uint32_t GetPropDw(std::string_view name) override { return static_cast<uint32_t>(GetPropInt(name)); }
  void FillFormCache(IFormCacheAssistant& assistant) override;
  void ReadFormCache(IFormCacheAssistant& assistant) override;
  TISWSettings* GetSelf() override { return this; }

  // Refused (false) on an object without a block, and for a key stored with another
  // type; an absent key is created.
  bool SetPropBool(std::string_view name, bool value);
  bool SetPropInt(std::string_view name, int32_t value);
  bool SetPropStr(std::string_view name, std::u16string_view value);
  bool SetPropDw(std::string_view name, uint32_t value) { return SetPropInt(name, static_cast<int32_t>(value)); }
  // The lists write their text form back through this.
  void SetListText(TSettingsList list, std::u16string_view text) override;

  // A setting's key and its row of the settings table (-1 for a name no row has).
  struct TKey {
    std::string_view Name;
    int Row = -1;
  };
  // The key of that name, its row looked up.
  static TKey KeyOf(std::string_view name) noexcept;
  static TKey KeyOf(TSWSettingId row) noexcept { return {kSWSettingRows[row].Key, row}; }

  // Hands the property of that key to visit, under the lock of the block holding it:
  // from the own block (created there with createTyp when write is set), else, with
  // allowDefault, a copy of the built-in default. False when there is none.
  using TPropVisitor = std::function<void(TSWProperty& prop)>;
  virtual bool FindProp(const TKey& key, bool allowDefault, bool write, TPropertyType createTyp,
                        const TPropVisitor& visit);

 protected:
  // What the exception placeholders stand for; a plain settings object keeps them.
  virtual TPlaceholderValues ExceptionPlaceholderValues() { return {}; }

  bool FValid = false;
  uintptr_t FModule = 0;
  TSWSettingsModule* FSettings = nullptr;
  std::u16string FVersionVar;

 private:
  // A setting of the table through the typed access of its kind.
  template <class T>
  T ReadAs(TSWSettingId row);
  template <class T>
  void WriteAs(TSWSettingId row, const T& value);
  bool ReadBool(const TKey& key);
  int32_t ReadInt(const TKey& key);
  std::u16string ReadStr(const TKey& key);
  bool WriteBool(const TKey& key, bool value);
  bool WriteInt(const TKey& key, int32_t value);
  bool WriteStr(const TKey& key, std::u16string_view value);
  // Whether this object answers from the defaults: the main settings are not set yet or
  // belong to its module. Otherwise the main settings are returned to ask.
  bool IsMain(std::shared_ptr<TISWSettings>& main);
  // The found property's value through pick, the main settings' answer through
  // fallback, or the zero value.
  template <class T>
  T ReadProp(const TKey& key, T (*pick)(const TSWProperty&), T (TISWSettings::*fallback)(const TKey&));
  template <class T>
  bool WriteProp(const TKey& key, TPropertyType typ, const T& value, void (*store)(TSWProperty&, const T&));
  void Expand(const TKey& key, std::u16string& text);

  ISettingsHost& FHost;
  std::mutex FListsLock;  // the lists below are made on first use, from any thread
  std::shared_ptr<TISWAttachments> FAddAttachs;
  std::shared_ptr<TISWFields> FAddFields;
  std::shared_ptr<TISWFields> FFormCache;
};

#undef PALVETTA_SW_OVERRIDE_PAIR
#undef PALVETTA_SW_OVERRIDE_GETTER

// The settings that start-up keeps for the process (those of the executable): a
// library module's settings ask them for the keys the library lacks.
void SetMainSettings(std::shared_ptr<TISWSettings> settings);
std::shared_ptr<TISWSettings> GetMainSettings();

}  // namespace palvetta
