#include "crash/settings/settings_blocks.h"

#include <algorithm>
#include <string_view>

#include "base/code_page.h"
#include "base/utf.h"
#include "codec/password_cipher.h"
#include "crash/settings/settings_table.h"

namespace palvetta {
namespace {

struct TPasswordSetting {
  const char* Password;
  const char* Server;
  const char* Account;
};

constexpr TPasswordSetting kPasswords[] = {
    {sw_keys::kSmtpPassword, sw_keys::kSmtpServer, sw_keys::kSmtpAccount},
    {sw_keys::kHttpPassword, sw_keys::kHttpServer, sw_keys::kHttpAccount},
    {sw_keys::kBugTrackerPassword, sw_keys::kHttpServer, sw_keys::kBugTrackerAccount},
};

std::u16string StringProp(const TSWSettingsModule& block, std::string_view name) {
  const int index = block.FindPropIndex(name);
  return index < 0 ? std::u16string() : block.Props[static_cast<size_t>(index)].VStr;
}

void DecipherPasswords(TSWSettingsModule& block) {
  for (const TPasswordSetting& setting : kPasswords) {
    const int index = block.FindPropIndex(setting.Password);
    if (index < 0 || block.Props[static_cast<size_t>(index)].VStr.empty()) continue;
    // The server keys the cipher in its 8-bit form, so it goes through the code page.
    const std::string server =
        SystemCodePage().ToUtf8(SystemCodePage().FromUtf8(Utf16ToUtf8(StringProp(block, setting.Server))));
    const std::string account = Utf16ToUtf8(StringProp(block, setting.Account));
    std::u16string& password = block.Props[static_cast<size_t>(index)].VStr;
    password = DecipherPasswordProp(Utf16ToUtf8(password), account, server);
  }
}

}  // namespace

TSWSettingsModule* TSettingsBlockList::Acquire(uintptr_t module, const TBlockLoader& load) {
  std::lock_guard lock(FSection);
  auto found = std::find_if(FBlocks.begin(), FBlocks.end(), [&](const auto& block) { return block->Module == module; });
  TSWSettingsModule* block = nullptr;
  if (found != FBlocks.end()) {
    block = found->get();
  } else {
    block = FBlocks.emplace_back(std::make_unique<TSWSettingsModule>()).get();
    block->Module = module;
    std::lock_guard blockLock(block->Lock);
    load(*block);
  }
  ++block->RefCount;
  return block;
}

void TSettingsBlockList::Release(TSWSettingsModule* block) {
  std::lock_guard lock(FSection);
  if (--block->RefCount > 0) return;
  std::erase_if(FBlocks, [&](const auto& held) { return held.get() == block; });
}

void TSettingsBlockList::Reload(TSWSettingsModule* block, const TBlockLoader& load) {
  std::lock_guard lock(FSection);
  std::lock_guard blockLock(block->Lock);
  block->FreeModuleProps();
  load(*block);
}

size_t TSettingsBlockList::BlockCount() {
  std::lock_guard lock(FSection);
  return FBlocks.size();
}

TFormStreamResult LoadModuleSettings(TSWSettingsModule& block, std::span<const uint8_t> resource) {
  block.Props.reserve(TSWSettingsModule::kInitialCapacity);
  const TFormStreamResult result = ReadSettingsStream(resource, block.Props);
  DecipherPasswords(block);
  block.IndexRows();
  return result;
}

}  // namespace palvetta
