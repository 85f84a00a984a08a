// Away from Windows no module carries a settings resource: every settings object answers
// from the built-in defaults, and the placeholders' facts are empty.
#include "crash/settings/settings_host.h"

namespace palvetta {
namespace {

class TNoFacts final : public IPlaceholderFacts {
 public:
  uintptr_t ExecutableModule() override { return 0; }
  std::u16string ModuleFileName(uintptr_t) override { return {}; }
  std::u16string FileVersionText(uintptr_t) override { return {}; }
  TLocalDateTime LocalNow() override { return {}; }
  std::u16string ComputerName() override { return {}; }
  std::u16string OsDescription() override { return {}; }
  std::u16string SpecialFolder(TPlaceholderFolder) override { return {}; }
};

class TNoModulesHost final : public ISettingsHost {
 public:
  TSWSettingsModule* AcquireModuleSettings(uintptr_t) override { return nullptr; }
  void ReleaseModuleSettings(TSWSettingsModule*) override {}
  void ReloadModuleSettings(uintptr_t, TSWSettingsModule*) override {}
  std::string ReadVersionText(uintptr_t, uint32_t) override { return {}; }
  IPlaceholderFacts& PlaceholderFacts() override { return FFacts; }

 private:
  TNoFacts FFacts;
};

}  // namespace

ISettingsHost& DefaultSettingsHost() {
  static TNoModulesHost host;
  return host;
}

}  // namespace palvetta
