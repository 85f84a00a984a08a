#pragma once
// A settings host with modules made up by the test: their resources, their version
// texts, and placeholder facts that count what was asked.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "crash/settings/settings_blocks.h"
#include "crash/settings/settings_host.h"

namespace palvetta {

class TFakeFacts : public IPlaceholderFacts {
 public:
  uintptr_t ExecutableModule() override { return Executable; }
  std::u16string ModuleFileName(uintptr_t module) override {
    return module == Executable ? u"C:\\Program Files\\Palvetta\\palvetta.exe" : u"C:\\Program Files\\Palvetta\\plugin.dll";
  }
  std::u16string FileVersionText(uintptr_t module) override { return module == Executable ? ExeVersion : u""; }
  TLocalDateTime LocalNow() override { return Now; }
  std::u16string ComputerName() override { return u"BUILDBOX"; }
  std::u16string OsDescription() override { return u"Windows 10 x64"; }
  std::u16string SpecialFolder(TPlaceholderFolder folder) override {
    ++FolderLookups;
    return u"C:\\Folder" + std::u16string(1, static_cast<char16_t>(u'0' + folder % 10));
  }

  uintptr_t Executable = 0x1000;
  std::u16string ExeVersion = u"1.2.3.4";
  TLocalDateTime Now{2024, 3, 7, 9, 5, 4, 21};
  int FolderLookups = 0;
};

class TFakeSettingsHost : public ISettingsHost {
 public:
  TSWSettingsModule* AcquireModuleSettings(uintptr_t module) override {
    const auto found = Resources.find(module);
    if (found == Resources.end()) return nullptr;
    return Blocks.Acquire(module, [&](TSWSettingsModule& block) { Load(block); });
  }
  void ReleaseModuleSettings(TSWSettingsModule* block) override { Blocks.Release(block); }
  void ReloadModuleSettings(uintptr_t, TSWSettingsModule* block) override {
    Blocks.Reload(block, [&](TSWSettingsModule& loading) { Load(loading); });
  }
  std::string ReadVersionText(uintptr_t module, uint32_t offset) override {
    const auto found = VersionTexts.find({module, offset});
    return found == VersionTexts.end() ? std::string() : found->second;
  }
  IPlaceholderFacts& PlaceholderFacts() override { return Facts; }

  std::map<uintptr_t, std::vector<uint8_t>> Resources;
  std::map<std::pair<uintptr_t, uint32_t>, std::string> VersionTexts;
  TSettingsBlockList Blocks;
  TFakeFacts Facts;
  int Loads = 0;

 private:
  void Load(TSWSettingsModule& block) {
    ++Loads;
    LoadModuleSettings(block, Resources[block.Module]);
  }
};

}  // namespace palvetta
