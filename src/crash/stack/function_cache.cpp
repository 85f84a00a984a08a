#include "crash/stack/function_cache.h"

namespace palvetta {

const TCodeArea* AreaHolding(const TFunctionInfo& fi, uint64_t address) {
  for (const TCodeArea& area : fi.CodeAreas)
    if (area.AreaBegin < address && address - 1 <= area.AreaEnd) return &area;
  return nullptr;
}

void TFunctionCache::BeginTrace(const TAnalysisSources& sources) {
  FSources = sources;
  for (const int module : FModules.TakeReplaced()) ForgetModule(module);
}

void TFunctionCache::ForgetModule(int module) {
  for (auto it = FByEntry.begin(); it != FByEntry.end();) {
    if (FFunctions[static_cast<size_t>(it->second)].module == module) {
      FFunctions[static_cast<size_t>(it->second)].invalid = true;
      it = FByEntry.erase(it);
    } else {
      ++it;
    }
  }
}

std::string TFunctionCache::NameAt(uint64_t address, int module) const {
  if (module < 0) return {};
  const TCachedModule& m = FModules[module];
  if (m.mapFile) {
    const TMfPublic found = m.mapFile->FindPublic(static_cast<uintptr_t>(address));
    if (found.IsValid && found.Address == address) return found.Name;
  }
  return FSources.modules != nullptr ? FSources.modules->ExportName(m, address) : std::string();
}

void TFunctionCache::Approve(int index) {
  if (FFunctions[static_cast<size_t>(index)].approved) return;
  FFunctions[static_cast<size_t>(index)].approved = true;
  // Copied: approving may analyse functions and grow the cache.
  const std::vector<TFarCall> calls = FFunctions[static_cast<size_t>(index)].fi.FarCalls;
  FollowJumps(calls, true);
}

void TFunctionCache::FollowJumps(const std::vector<TFarCall>& calls, bool approve) {
  // Chains of jumps between functions are followed only so far, so that a long one
  // cannot exhaust the tracer's stack.
  constexpr int kMaxJumpDepth = 32;
  if (FJumpDepth >= kMaxJumpDepth) return;
  ++FJumpDepth;
  for (const TFarCall& call : calls)
    if (!call.Call && call.Target != 0) AddAnalysedFunction(call.Target, {}, -1, approve, false);
  --FJumpDepth;
}

int TFunctionCache::AddAnalysedFunction(uint64_t entry, const std::string& name, int module, bool approve,
                                        bool force) {
  if (const auto found = FByEntry.find(entry); found != FByEntry.end()) {
    if (const int cachedModule = FFunctions[static_cast<size_t>(found->second)].module; cachedModule >= 0)
      FModules.Verify(cachedModule);
  }
  for (const int replaced : FModules.TakeReplaced()) ForgetModule(replaced);
  if (const auto found = FByEntry.find(entry); found != FByEntry.end()) {
    if (approve) Approve(found->second);
    return found->second;
  }
  if (module < 0) module = FModules.ModuleOf(entry);

  TCachedFunction function;
  function.module = module;
  function.fi = AnalyzeFunction(TCpuMode::cm64, entry, *FSources.reader, *FSources.facts);
  if (!function.fi.IsValid && force) {
    function.fi = TFunctionInfo();
    function.fi.IsValid = true;
    function.fi.EntryPoint = function.fi.CodeBegin = entry;
  }
  function.name = name.empty() ? NameAt(entry, module) : name;
  const std::vector<TFarCall> calls = function.fi.FarCalls;
  FFunctions.push_back(std::move(function));
  const int index = static_cast<int>(FFunctions.size() - 1);
  FByEntry.emplace(entry, index);
  // A jump to another function continues this one there.
  FollowJumps(calls, false);
  if (approve) Approve(index);
  return index;
}

void TFunctionCache::Clear() {
  FFunctions.clear();
  FByEntry.clear();
}

}  // namespace palvetta
