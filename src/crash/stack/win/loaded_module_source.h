#pragma once
// The stack tracer's knowledge of the modules loaded in this process: their code and data
// ranges from the PE headers, their symbol maps, function starts from the function table
// or the exports.

#include "crash/stack/module_cache.h"

namespace palvetta {

class TLoadedModuleSource final : public IModuleSource {
 public:
  bool AllocationBase(uint64_t address, uint64_t& base) const override;
  bool DescribeModule(uint64_t base, TCachedModule& module) const override;
  std::shared_ptr<const TMapFile> MapOf(const TCachedModule& module) const override;
  uint64_t FunctionStartBelow(const TCachedModule& module, uint64_t address) const override;
  std::string ExportName(const TCachedModule& module, uint64_t address) const override;
};

}  // namespace palvetta
