#pragma once
// The list of parsed settings blocks, one per module, that every settings object of the
// process shares: a module's resource is parsed once however many objects read it. The
// Windows registry keeps one of these per process, found through a named mapping.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "crash/settings/form_stream.h"
#include "crash/settings/sw_property.h"

namespace palvetta {

// Fills a block of the given module with its properties.
using TBlockLoader = std::function<void(TSWSettingsModule& block)>;

class TSettingsBlockList {
 public:
  // The module's block, loaded on its first acquisition; one more reference on it.
  TSWSettingsModule* Acquire(uintptr_t module, const TBlockLoader& load);
  // Drops a reference; the last one frees the block.
  void Release(TSWSettingsModule* block);
  // Parses the block's module again, in place (values set since are lost).
  void Reload(TSWSettingsModule* block, const TBlockLoader& load);
  size_t BlockCount();

 private:
  std::mutex FSection;
  std::vector<std::unique_ptr<TSWSettingsModule>> FBlocks;
};

// Parses a settings resource into the block and replaces the three stored password
// settings by their plain text.
TFormStreamResult LoadModuleSettings(TSWSettingsModule& block, std::span<const uint8_t> resource);

}  // namespace palvetta
