#include "crash/settings/sw_settings.h"

#include <type_traits>
#include <unordered_map>

#include "base/code_page.h"
#include "base/delimited_list.h"
#include "base/text_edit.h"
#include "base/utf.h"
#include "crash/settings/settings_defaults.h"

namespace palvetta {
namespace {

std::mutex gMainLock;
std::shared_ptr<TISWSettings> gMain;

std::string WideToAnsi(std::u16string_view text) { return SystemCodePage().FromUtf8(Utf16ToUtf8(text)); }
std::u16string AnsiToWide(std::string_view text) { return Utf8ToUtf16(SystemCodePage().ToUtf8(text)); }

bool PickBool(const TSWProperty& prop) { return prop.VBool; }
int32_t PickInt(const TSWProperty& prop) { return prop.VInt; }
std::u16string PickStr(const TSWProperty& prop) { return prop.VStr; }

}  // namespace

void SetMainSettings(std::shared_ptr<TISWSettings> settings) {
  std::lock_guard lock(gMainLock);
  gMain = std::move(settings);
}

std::shared_ptr<TISWSettings> GetMainSettings() {
  std::lock_guard lock(gMainLock);
  return gMain;
}

TISWSettings::TISWSettings(uintptr_t module, bool init, ISettingsHost& host) : FHost(host) {
  if (!init) return;
  FSettings = FHost.AcquireModuleSettings(module);
  FValid = FSettings != nullptr;
  if (!FValid) return;
  FModule = module;
  if (const uint32_t offset = ReadAs<uint32_t>(sidVersionVar)) FVersionVar = AnsiToWide(FHost.ReadVersionText(module, offset));
}

TISWSettings::~TISWSettings() {
  if (FAddAttachs) FAddAttachs->ClearParent();
  if (FAddFields) FAddFields->ClearMesParent();
  if (FSettings) FHost.ReleaseModuleSettings(FSettings);
}

// The accessors of the settings table, each through the typed access of its kind.
#define PALVETTA_SW_DEFINE_PAIR(Name, Key, Kind, Default)                                                  \
  TSWKind##Kind TISWSettings::Get##Name() { return ReadAs<TSWKind##Kind>(sid##Name); }                     \
  void TISWSettings::Set##Name(const TSWKind##Kind& value) { WriteAs<TSWKind##Kind>(sid##Name, value); }
#define PALVETTA_SW_DEFINE_GETTER(Name, Key, Kind, Default) \
  TSWKind##Kind TISWSettings::Name() { return ReadAs<TSWKind##Kind>(sid##Name); }

template <class T>
T TISWSettings::ReadAs(TSWSettingId row) {
  const TKey key = KeyOf(row);
  if constexpr (std::is_same_v<T, bool>) {
    return ReadBool(key);
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    return static_cast<uint32_t>(ReadInt(key));
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_enum_v<T>) {
    return static_cast<T>(ReadInt(key));
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    return ReadStr(key);
  } else {
    static_assert(std::is_same_v<T, std::string>);
    return WideToAnsi(ReadStr(key));
  }
}

template <class T>
void TISWSettings::WriteAs(TSWSettingId row, const T& value) {
  const TKey key = KeyOf(row);
  if constexpr (std::is_same_v<T, bool>) {
    WriteBool(key, value);
  } else if constexpr (std::is_same_v<T, uint32_t> || std::is_same_v<T, int32_t> || std::is_enum_v<T>) {
    WriteInt(key, static_cast<int32_t>(value));
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    WriteStr(key, value);
  } else {
    static_assert(std::is_same_v<T, std::string>);
    WriteStr(key, AnsiToWide(value));
  }
}

PALVETTA_SW_SETTINGS_PAIRS(PALVETTA_SW_DEFINE_PAIR)
PALVETTA_SW_MODULE_PAIRS(PALVETTA_SW_DEFINE_PAIR)
PALVETTA_SW_MODULE_GETTERS(PALVETTA_SW_DEFINE_GETTER)

#undef PALVETTA_SW_DEFINE_PAIR
#undef PALVETTA_SW_DEFINE_GETTER

bool TISWSettings::LinkInSettings() { return !ReadAs<bool>(sidNoSettings); }
bool TISWSettings::LinkInMapFile() { return ReadAs<std::u16string>(sidMinDebugInfo).empty(); }
bool TISWSettings::CrashOnOverrun() { return ReadAs<bool>(sidCrashOnBuffer) && !ReadAs<bool>(sidCrashOnUnderrun); }
bool TISWSettings::CrashOnUnderrun() { return ReadAs<bool>(sidCrashOnBuffer) && ReadAs<bool>(sidCrashOnUnderrun); }

TISWSettings::TKey TISWSettings::KeyOf(std::string_view name) noexcept {
  // Built once: every row's key to its row.
  static const std::unordered_map<std::string_view, int> rows = [] {
    std::unordered_map<std::string_view, int> keys;
    for (int row = 0; row < kSWSettingCount; ++row) keys.emplace(kSWSettingRows[row].Key, row);
    return keys;
  }();
  const auto found = rows.find(name);
  return {name, found == rows.end() ? -1 : found->second};
}

bool TISWSettings::FindProp(const TKey& key, bool allowDefault, bool write, TPropertyType createTyp,
                            const TPropVisitor& visit) {
  if (FSettings) {
    std::lock_guard lock(FSettings->Lock);
    int index = key.Row >= 0 ? FSettings->RowProp(key.Row) : FSettings->FindPropIndex(key.Name);
    if (index < 0 && write) {
      TSWProperty& created = FSettings->Props.emplace_back();
      created.Name = std::string(key.Name);
      created.Typ = createTyp;
      index = static_cast<int>(FSettings->Props.size()) - 1;
      if (key.Row >= 0 && static_cast<size_t>(key.Row) < FSettings->RowProps.size()) {
        FSettings->RowProps[static_cast<size_t>(key.Row)] = index;
      }
    }
    if (index >= 0) {
      visit(FSettings->Props[static_cast<size_t>(index)]);
      return true;
    }
  }
  if (!allowDefault) return false;
  TSWProperty copy;
  if (!DefaultProperty(key.Row, copy)) return false;
  visit(copy);
  return true;
}

bool TISWSettings::IsMain(std::shared_ptr<TISWSettings>& main) {
  main = GetMainSettings();
  return !main || main.get() == this || main->FModule == FModule;
}

// The own block answers under its lock alone; only a key it lacks asks which settings
// are the main ones, for the default or the main settings' answer.
template <class T>
T TISWSettings::ReadProp(const TKey& key, T (*pick)(const TSWProperty&), T (TISWSettings::*fallback)(const TKey&)) {
  T value{};
  if (FindProp(key, false, false, ptString, [&](TSWProperty& prop) { value = pick(prop); })) return value;
  std::shared_ptr<TISWSettings> main;
  if (!IsMain(main)) return ((*main).*fallback)(key);
  FindProp(key, true, false, ptString, [&](TSWProperty& prop) { value = pick(prop); });
  return value;
}

bool TISWSettings::ReadBool(const TKey& key) { return ReadProp(key, PickBool, &TISWSettings::ReadBool); }

int32_t TISWSettings::ReadInt(const TKey& key) { return ReadProp(key, PickInt, &TISWSettings::ReadInt); }

std::u16string TISWSettings::ReadStr(const TKey& key) {
  std::u16string value;
  const auto pickAndExpand = [&](TSWProperty& prop) { value = PickStr(prop); };
  if (FindProp(key, false, false, ptString, pickAndExpand)) {
    Expand(key, value);
    return value;
  }
  std::shared_ptr<TISWSettings> main;
  if (!IsMain(main)) return main->ReadStr(key);
  if (FindProp(key, true, false, ptString, pickAndExpand)) Expand(key, value);
  return value;
}

bool TISWSettings::GetPropBool(std::string_view name) { return ReadBool(KeyOf(name)); }

int32_t TISWSettings::GetPropInt(std::string_view name) { return ReadInt(KeyOf(name)); }

std::u16string TISWSettings::GetPropStr(std::string_view name) { return ReadStr(KeyOf(name)); }

void TISWSettings::Expand(const TKey& key, std::u16string& text) {
  // The frozen message is shown while the program hangs: nothing may be looked up then.
  if (key.Row == sidFrozenMsg) return;
  TPlaceholderValues values = ExceptionPlaceholderValues();
  values.ModVersionVar = FVersionVar;
  IPlaceholderFacts& facts = FHost.PlaceholderFacts();
  const uintptr_t executable = facts.ExecutableModule();
  if (FModule == executable) {
    values.AppVersionVar = FVersionVar;
  } else if (std::shared_ptr<TISWSettings> main = GetMainSettings(); main && main->FModule == executable) {
    values.AppVersionVar = main->FVersionVar;
  }
  ExpandPlaceholders(facts, FModule, text, values);
}

template <class T>
bool TISWSettings::WriteProp(const TKey& key, TPropertyType typ, const T& value, void (*store)(TSWProperty&, const T&)) {
  if (!FValid) return false;
  bool stored = false;
  FindProp(key, false, true, typ, [&](TSWProperty& prop) {
    if (prop.Typ != typ) return;
    store(prop, value);
    stored = true;
  });
  return stored;
}

bool TISWSettings::WriteBool(const TKey& key, bool value) {
  return WriteProp<bool>(key, ptBoolean, value, [](TSWProperty& prop, const bool& v) { prop.VBool = v; });
}

bool TISWSettings::WriteInt(const TKey& key, int32_t value) {
  return WriteProp<int32_t>(key, ptInteger, value, [](TSWProperty& prop, const int32_t& v) { prop.VInt = v; });
}

bool TISWSettings::WriteStr(const TKey& key, std::u16string_view value) {
  return WriteProp<std::u16string_view>(key, ptString, value,
                                        [](TSWProperty& prop, const std::u16string_view& v) { prop.VStr = v; });
}

bool TISWSettings::SetPropBool(std::string_view name, bool value) { return WriteBool(KeyOf(name), value); }

bool TISWSettings::SetPropInt(std::string_view name, int32_t value) { return WriteInt(KeyOf(name), value); }

bool TISWSettings::SetPropStr(std::string_view name, std::u16string_view value) {
  return WriteStr(KeyOf(name), value);
}

void TISWSettings::SetListText(TSettingsList list, std::u16string_view text) {
  WriteStr(KeyOf(list == TSettingsList::slAddFields ? sidAddFields : sidAddAttachs), text);
}

void TISWSettings::Reload() {
  if (FSettings) FHost.ReloadModuleSettings(FModule, FSettings);
}

std::shared_ptr<ISWFields> TISWSettings::GetAdditionalFields() {
  std::lock_guard lock(FListsLock);
  if (!FAddFields) FAddFields = ReadAdditionalFields(ReadAs<std::u16string>(sidAddFields), this);
  return FAddFields;
}

std::shared_ptr<ISWAttachments> TISWSettings::GetAdditionalAttachments() {
  std::lock_guard lock(FListsLock);
  if (!FAddAttachs) FAddAttachs = ReadAdditionalAttachments(ReadAs<std::u16string>(sidAddAttachs), this);
  return FAddAttachs;
}

bool TISWSettings::GetPluginEnabled(std::u16string_view plugin) {
  return IsItemInListText(ReadAs<std::u16string>(sidPlugins), plugin, u'|');
}

void TISWSettings::SetPluginEnabled(std::u16string_view plugin, bool value) {
  if (GetPluginEnabled(plugin) == value) return;
  std::u16string list = ReadAs<std::u16string>(sidPlugins);
  if (value) {
    list = list.empty() ? std::u16string(plugin) : list + u"|" + std::u16string(plugin);
  } else {
    list = u"|" + list + u"|";
    ReplaceText(list, u"|" + std::u16string(plugin) + u"|", u"|", false);
    list = list.substr(1, list.size() - 2);
  }
  WriteAs<std::u16string>(sidPlugins, list);
}

std::shared_ptr<IWzAssistant> TISWSettings::GetAssistant(std::u16string_view) { return nullptr; }

void TISWSettings::FillFormCache(IFormCacheAssistant& assistant) {
  std::shared_ptr<TISWFields> cache;
  {
    std::lock_guard lock(FListsLock);
    if (!FFormCache) {
      FFormCache = std::make_shared<TISWFields>();
      FFormCache->AcceptData();
    }
    cache = FFormCache;
  }
  palvetta::FillFormCache(*cache, assistant);
}

void TISWSettings::ReadFormCache(IFormCacheAssistant& assistant) {
  std::shared_ptr<TISWFields> cache;
  {
    std::lock_guard lock(FListsLock);
    cache = FFormCache;
  }
  if (cache) palvetta::ReadFormCache(*cache, assistant);
}

}  // namespace palvetta
