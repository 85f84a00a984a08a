#include "crash/stack/module_cache.h"

#include <utility>

namespace palvetta {

void TModuleCache::BeginTrace(const IModuleSource& source) {
  FSource = &source;
  ++FTrace;
}

int TModuleCache::Checked(int index) {
  const size_t i = static_cast<size_t>(index);
  if (FCheckedIn[i] == FTrace) return index;
  FCheckedIn[i] = FTrace;
  TCachedModule now;
  if (FSource->DescribeModule(FModules[i].handle, now) && now.stamp == FModules[i].stamp) return index;
  // Gone or replaced: the entry keeps its index (functions refer to it) with what is there now.
  FReplaced.push_back(index);
  if (now.handle == 0) {
    now.handle = FModules[i].handle;
  } else {
    now.mapFile = FSource->MapOf(now);
  }
  FModules[i] = std::move(now);
  return index;
}

int TModuleCache::FindByRange(uint64_t address) {
  for (size_t i = 0; i < FModules.size(); ++i) {
    const TCachedModule& module = FModules[i];
    if (module.InCode(address) || module.InData(address)) return Checked(static_cast<int>(i));
  }
  return -1;
}

int TModuleCache::Register(uint64_t address) {
  uint64_t base = 0;
  if (FSource == nullptr || !FSource->AllocationBase(address, base)) return -1;
  for (size_t i = 0; i < FModules.size(); ++i)
    if (FModules[i].handle == base) return Checked(static_cast<int>(i));
  TCachedModule module;
  if (!FSource->DescribeModule(base, module)) return -1;
  module.handle = base;
  module.mapFile = FSource->MapOf(module);
  FModules.push_back(std::move(module));
  FCheckedIn.push_back(FTrace);
  return static_cast<int>(FModules.size() - 1);
}

std::vector<int> TModuleCache::TakeReplaced() { return std::exchange(FReplaced, {}); }

void TModuleCache::Clear() {
  FModules.clear();
  FCheckedIn.clear();
  FReplaced.clear();
}

}  // namespace palvetta
