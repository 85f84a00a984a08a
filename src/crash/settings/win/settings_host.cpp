// Windows' settings host: each module's TSTACKWARD resource, parsed once into the
// process's registry of settings blocks.
#include "crash/settings/settings_host.h"

#include <windows.h>

#include <atomic>

#include "crash/settings/settings_blocks.h"
#include "crash/settings/win/placeholder_facts.h"
#include "crash/settings/win/settings_alert.h"
#include "crash/settings/win/settings_registry.h"
#include "crash/settings/win/settings_resource.h"

namespace palvetta {
namespace {

void ShowMessageBox(const std::u16string& text) {
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()), L"Stackward", MB_OK);
}

std::atomic<TSettingsAlert> gAlert{ShowMessageBox};

void Alert(const std::u16string& text) { gAlert.load()(text); }

class TWinSettingsHost final : public ISettingsHost {
 public:
  TSWSettingsModule* AcquireModuleSettings(uintptr_t module) override {
    if (FindSettingsResource(module).empty()) return nullptr;
    TSettingsBlockList* blocks = OpenSettingsBuffer();
    if (!blocks) {
      Alert(u"internal error (opening settings buffer)");
      return nullptr;
    }
    TFormStreamResult result;
    TSWSettingsModule* block = blocks->Acquire(module, [&](TSWSettingsModule& loading) { result = Load(loading); });
    AlertInvalid(result);
    return block;
  }

  void ReleaseModuleSettings(TSWSettingsModule* block) override {
    if (TSettingsBlockList* blocks = CurrentSettingsBuffer()) blocks->Release(block);
    CloseSettingsBuffer();
  }

  void ReloadModuleSettings(uintptr_t, TSWSettingsModule* block) override {
    TSettingsBlockList* blocks = CurrentSettingsBuffer();
    if (!blocks) return;
    TFormStreamResult result;
    blocks->Reload(block, [&](TSWSettingsModule& loading) { result = Load(loading); });
    AlertInvalid(result);
  }

  std::string ReadVersionText(uintptr_t module, uint32_t offset) override {
    // Read through the process's memory calls, which fail instead of faulting.
    const HANDLE process = GetCurrentProcess();
    const char* text = nullptr;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(module + offset), &text, sizeof text, nullptr)) {
      return {};
    }
    constexpr size_t kLongestText = 4096;
    std::string version;
    for (char c = 0; version.size() < kLongestText; version.push_back(c)) {
      if (!ReadProcessMemory(process, text + version.size(), &c, 1, nullptr)) return {};
      if (c == 0) return version;
    }
    return {};
  }

  IPlaceholderFacts& PlaceholderFacts() override { return WindowsPlaceholderFacts(); }

 private:
  static TFormStreamResult Load(TSWSettingsModule& block) {
    return LoadModuleSettings(block, FindSettingsResource(block.Module));
  }
  // Told after the registry's lock is let go, so a waiting message box holds up no one.
  static void AlertInvalid(const TFormStreamResult& result) {
    if (result.Status == fsUnknownType) Alert(InvalidSettingsResourceMessage(result.UnknownType));
  }
};

}  // namespace

TSettingsAlert SetSettingsAlert(TSettingsAlert alert) noexcept {
  return gAlert.exchange(alert ? alert : ShowMessageBox);
}

ISettingsHost& DefaultSettingsHost() {
  static TWinSettingsHost* host = new TWinSettingsHost;  // lives until the process ends
  return *host;
}

}  // namespace palvetta
