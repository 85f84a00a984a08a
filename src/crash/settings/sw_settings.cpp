#include "crash/settings/sw_settings.h"

#include <type_traits>

#include "base/code_page.h"
#include "base/delimited_list.h"
#include "base/text_edit.h"
#include "base/wide_text.h"
#include "crash/settings/settings_defaults.h"

namespace palvetta {
namespace {

std::mutex gMainLock;
std::shared_ptr<TISWSettings> gMain;

std::string WideToAnsi(std::u16string_view text) { return SystemCodePage().FromUtf8(WideToUtf8Str(text)); }
std::u16string AnsiToWide(std::string_view text) { return Utf8ToWideStr(SystemCodePage().ToUtf8(text)); }

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
  if (const uint32_t offset = GetPropDw("VersionVar")) FVersionVar = AnsiToWide(FHost.ReadVersionText(module, offset));
}

TISWSettings::~TISWSettings() {
  if (FAddAttachs) FAddAttachs->ClearParent();
  if (FAddFields) FAddFields->ClearMesParent();
  if (FSettings) FHost.ReleaseModuleSettings(FSettings);
}

// The accessors of the settings table, each through the typed access of its kind.
#define PALVETTA_SW_DEFINE_PAIR(Name, Key, Kind)                                                 \
  TSWKind##Kind TISWSettings::Get##Name() { return ReadAs<TSWKind##Kind>(Key); }                 \
  void TISWSettings::Set##Name(const TSWKind##Kind& value) { WriteAs<TSWKind##Kind>(Key, value); }
#define PALVETTA_SW_DEFINE_GETTER(Name, Key, Kind) \
  TSWKind##Kind TISWSettings::Name() { return ReadAs<TSWKind##Kind>(Key); }

template <class T>
T TISWSettings::ReadAs(std::string_view key) {
  if constexpr (std::is_same_v<T, bool>) {
    return GetPropBool(key);
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    return GetPropDw(key);
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_enum_v<T>) {
    return static_cast<T>(GetPropInt(key));
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    return GetPropStr(key);
  } else {
    static_assert(std::is_same_v<T, std::string>);
    return WideToAnsi(GetPropStr(key));
  }
}

template <class T>
void TISWSettings::WriteAs(std::string_view key, const T& value) {
  if constexpr (std::is_same_v<T, bool>) {
    SetPropBool(key, value);
  } else if constexpr (std::is_same_v<T, uint32_t>) {
    SetPropDw(key, value);
  } else if constexpr (std::is_same_v<T, int32_t> || std::is_enum_v<T>) {
    SetPropInt(key, static_cast<int32_t>(value));
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    SetPropStr(key, std::u16string_view(value));
  } else {
    static_assert(std::is_same_v<T, std::string>);
    SetPropStr(key, std::u16string_view(AnsiToWide(value)));
  }
}

PALVETTA_SW_SETTINGS_PAIRS(PALVETTA_SW_DEFINE_PAIR)
PALVETTA_SW_MODULE_PAIRS(PALVETTA_SW_DEFINE_PAIR)
PALVETTA_SW_MODULE_GETTERS(PALVETTA_SW_DEFINE_GETTER)

#undef PALVETTA_SW_DEFINE_PAIR
#undef PALVETTA_SW_DEFINE_GETTER

bool TISWSettings::FindProp(std::string_view name, bool allowDefault, bool write, TPropertyType createTyp,
                            const TPropVisitor& visit) {
  if (FSettings) {
    std::lock_guard lock(FSettings->Lock);
    int index = FSettings->FindPropIndex(name);
    if (index < 0 && write) {
      TSWProperty& created = FSettings->Props.emplace_back();
      created.Name = std::string(name);
      created.Typ = createTyp;
      index = static_cast<int>(FSettings->Props.size()) - 1;
    }
    if (index >= 0) {
      visit(FSettings->Props[static_cast<size_t>(index)]);
      return true;
    }
  }
  if (!allowDefault) return false;
  const TDefaultSetting* setting = FindDefaultSetting(name);
  if (!setting) return false;
  TSWProperty copy = DefaultAsProperty(*setting);
  visit(copy);
  return true;
}

bool TISWSettings::IsMain(std::shared_ptr<TISWSettings>& main) {
  main = GetMainSettings();
  return !main || main.get() == this || main->FModule == FModule;
}

template <class T>
T TISWSettings::ReadProp(std::string_view name, T (*pick)(const TSWProperty&),
                         T (TISWSettings::*fallback)(std::string_view)) {
  std::shared_ptr<TISWSettings> main;
  const bool isMain = IsMain(main);
  T value{};
  if (FindProp(name, isMain, false, ptString, [&](TSWProperty& prop) { value = pick(prop); })) return value;
  return isMain ? T{} : ((*main).*fallback)(name);
}

bool TISWSettings::GetPropBool(std::string_view name) { return ReadProp(name, PickBool, &TISWSettings::GetPropBool); }

int32_t TISWSettings::GetPropInt(std::string_view name) { return ReadProp(name, PickInt, &TISWSettings::GetPropInt); }

std::u16string TISWSettings::GetPropStr(std::string_view name) {
  std::shared_ptr<TISWSettings> main;
  const bool isMain = IsMain(main);
  std::u16string value;
  if (FindProp(name, isMain, false, ptString, [&](TSWProperty& prop) { value = PickStr(prop); })) {
    Expand(name, value);
    return value;
  }
  return isMain ? std::u16string() : main->GetPropStr(name);
}

void TISWSettings::Expand(std::string_view name, std::u16string& text) {
  // The frozen message is shown while the program hangs: nothing may be looked up then.
  if (name == "FrozenMsg") return;
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
bool TISWSettings::WriteProp(std::string_view name, TPropertyType typ, const T& value,
                             void (*store)(TSWProperty&, const T&)) {
  if (!FValid) return false;
  bool stored = false;
  FindProp(name, false, true, typ, [&](TSWProperty& prop) {
    if (prop.Typ != typ) return;
    store(prop, value);
    stored = true;
  });
  return stored;
}

bool TISWSettings::SetPropBool(std::string_view name, bool value) {
  return WriteProp<bool>(name, ptBoolean, value, [](TSWProperty& prop, const bool& v) { prop.VBool = v; });
}

bool TISWSettings::SetPropInt(std::string_view name, int32_t value) {
  return WriteProp<int32_t>(name, ptInteger, value, [](TSWProperty& prop, const int32_t& v) { prop.VInt = v; });
}

bool TISWSettings::SetPropStr(std::string_view name, std::u16string_view value) {
  return WriteProp<std::u16string_view>(name, ptString, value,
                                        [](TSWProperty& prop, const std::u16string_view& v) { prop.VStr = v; });
}

void TISWSettings::SetPropStr(std::u16string_view name, std::u16string_view value) {
  SetPropStr(std::string_view(WideToAnsi(name)), value);
}

void TISWSettings::Reload() {
  if (FSettings) FHost.ReloadModuleSettings(FModule, FSettings);
}

std::shared_ptr<ISWFields> TISWSettings::GetAdditionalFields() {
  std::lock_guard lock(FListsLock);
  if (!FAddFields) FAddFields = ReadAdditionalFields(GetPropStr("AddFields"), this);
  return FAddFields;
}

std::shared_ptr<ISWAttachments> TISWSettings::GetAdditionalAttachments() {
  std::lock_guard lock(FListsLock);
  if (!FAddAttachs) FAddAttachs = ReadAdditionalAttachments(GetPropStr("AddAttachs"), this);
  return FAddAttachs;
}

bool TISWSettings::GetPluginEnabled(std::u16string_view plugin) {
  return IsItemInListTextW(GetPropStr("Plugins"), plugin, u'|');
}

void TISWSettings::SetPluginEnabled(std::u16string_view plugin, bool value) {
  if (GetPluginEnabled(plugin) == value) return;
  std::u16string list = GetPropStr("Plugins");
  if (value) {
    list = list.empty() ? std::u16string(plugin) : list + u"|" + std::u16string(plugin);
  } else {
    list = u"|" + list + u"|";
    ReplaceTextW(list, u"|" + std::u16string(plugin) + u"|", u"|", false);
    list = list.substr(1, list.size() - 2);
  }
  SetPropStr("Plugins", std::u16string_view(list));
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
