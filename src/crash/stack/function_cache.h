#pragma once
// The stack tracer's process-wide cache of analysed functions: each function is
// disassembled once (its code areas and calls) and reused by every later trace.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "crash/disasm/function_analysis.h"
#include "crash/disasm/memory_reader.h"
#include "crash/stack/module_cache.h"

namespace palvetta {

struct TCachedFunction {
  int module = -1;
  std::string name;
  TFunctionInfo fi;
  // The start comes from reliable information: a public symbol, an export, or the target
  // of a confirmed call.
  bool approved = false;
  bool invalid = false;
};

// What an analysis reads: the memory (a trace's snapshot) and the modules' facts.
struct TAnalysisSources {
  const IMemoryReader* reader = nullptr;
  const IModuleFacts* facts = nullptr;
  const IModuleSource* modules = nullptr;
};

class TFunctionCache {
 public:
  explicit TFunctionCache(TModuleCache& modules) : FModules(modules) {}

  void BeginTrace(const TAnalysisSources& sources);

  // The function starting at entry, analysed when new. name: its name, else the map's
  // public or the export at entry. With approve the function and every function it jumps
  // to become approved; with force a failed analysis gives a valid empty function.
  int AddAnalysedFunction(uint64_t entry, const std::string& name, int module, bool approve, bool force);

  // The name of the public or export starting exactly at address, "" when none.
  std::string NameAt(uint64_t address, int module) const;

  TCachedFunction& operator[](int index) { return FFunctions[static_cast<size_t>(index)]; }
  const TCachedFunction& operator[](int index) const { return FFunctions[static_cast<size_t>(index)]; }
  size_t Count() const { return FFunctions.size(); }
  void Clear();

 private:
  void Approve(int index);
  void ForgetModule(int module);
  void FollowJumps(const std::vector<TFarCall>& calls, bool approve);

  TModuleCache& FModules;
  TAnalysisSources FSources;
  std::vector<TCachedFunction> FFunctions;
  std::unordered_map<uint64_t, int> FByEntry;
  int FJumpDepth = 0;
};

// The function's code area that holds the byte before address (a call ending at address
// lies there); nullptr when none does.
const TCodeArea* AreaHolding(const TFunctionInfo& fi, uint64_t address);
inline bool FunctionHolds(const TFunctionInfo& fi, uint64_t address) { return AreaHolding(fi, address) != nullptr; }

}  // namespace palvetta
