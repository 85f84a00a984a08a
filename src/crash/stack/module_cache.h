#pragma once
// The stack tracer's process-wide cache of modules: where each module's code and data lie
// and its symbol map, registered the first time a trace meets an address inside it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "crash/symbols/map_file.h"

namespace palvetta {

struct TCachedModule {
  uint64_t handle = 0;  // the allocation base
  std::string name;     // file name without folder
  uint64_t codeBegin = 0, codeEnd = 0;
  uint64_t dataBegin = 0, dataEnd = 0;
  std::shared_ptr<const TMapFile> mapFile;  // nullptr without a valid map
  bool own = false;                         // the crash reporter's own module
  // Tells a module apart from another one loaded later at the same base.
  uint64_t stamp = 0;

  bool InCode(uint64_t address) const { return address > codeBegin && address <= codeEnd; }
  bool InData(uint64_t address) const { return address > dataBegin && address <= dataEnd; }
};

// What the tracer learns about modules from the system (tests give a fake).
class IModuleSource {
 public:
  virtual ~IModuleSource() = default;
  // The allocation base of the committed memory holding address; false when the address is
  // not committed or has none.
  virtual bool AllocationBase(uint64_t address, uint64_t& base) const = 0;
  // The module loaded at base, all but its map; false when base holds no readable PE
  // image. Asked once per trace and module, so it must be cheap.
  virtual bool DescribeModule(uint64_t base, TCachedModule& module) const = 0;
  // The module's symbol map; nullptr when it has none. Asked once per module loaded.
  virtual std::shared_ptr<const TMapFile> MapOf(const TCachedModule& module) const = 0;
  // The start of the function holding address for a module without a map: its function
  // table's entry or else its highest export (or entry point) at or below address; 0 when
  // unknown.
  virtual uint64_t FunctionStartBelow(const TCachedModule& module, uint64_t address) const = 0;
  // The readable export name at exactly address, "" when none.
  virtual std::string ExportName(const TCachedModule& module, uint64_t address) const = 0;
};

class TModuleCache {
 public:
  // A new trace: each module is checked once more against the system before it is used,
  // so that a module unloaded and replaced at the same base is not taken for the old one.
  void BeginTrace(const IModuleSource& source);
  // The module whose code or data range holds address (range ends inclusive, as return
  // addresses are tested); -1 when none.
  int FindByRange(uint64_t address);
  // The module holding the committed address, registered when new; -1 when it holds no
  // module.
  int Register(uint64_t address);
  // By range first, else registered.
  int ModuleOf(uint64_t address) {
    const int found = FindByRange(address);
    return found >= 0 ? found : Register(address);
  }
  // Checks the module against the system once per trace.
  void Verify(int index) { Checked(index); }
  // Modules found replaced since the last call, whose cached functions are stale.
  std::vector<int> TakeReplaced();

  const TCachedModule& operator[](int index) const { return FModules[static_cast<size_t>(index)]; }
  size_t Count() const { return FModules.size(); }
  void Clear();

 private:
  int Checked(int index);

  const IModuleSource* FSource = nullptr;
  std::vector<TCachedModule> FModules;
  std::vector<unsigned> FCheckedIn;  // the trace each module was last checked in
  std::vector<int> FReplaced;
  unsigned FTrace = 0;
};

}  // namespace palvetta
