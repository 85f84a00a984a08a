#pragma once
// What the analysis and the listing learn from the modules loaded in this process: the
// range of a module, its function table (RtlLookupFunctionEntry), export names, and the
// calls that do not come back.

#include <cstdint>
#include <string>
#include <vector>

#include "crash/disasm/function_analysis.h"
#include "crash/disasm/instruction_text.h"

namespace palvetta {

class TLoadedModules final : public IModuleFacts, public IAddressNames {
 public:
  // noReturn: further routines whose calls do not come back (besides msvcrt's
  // _CxxThrowException).
  explicit TLoadedModules(std::vector<uint64_t> noReturn = {});

  bool IsCommitted(uint64_t address) const override;
  bool AllowedRange(uint64_t address, uint64_t& begin, uint64_t& end) const override;
  bool FunctionExtent(uint64_t address, uint64_t& begin, uint64_t& end) const override;
  bool IsNoReturn(uint64_t target) const override;
  std::string ErrorText(uint32_t code) const override;
  bool HasPublicName(uint64_t address) const override;

  // The export name of address in its module, with the module's file name in
  // parentheses when it is not the module that holds this code; "" when none.
  std::string FunctionName(uint64_t address) const override;
  bool InModuleImage(uint64_t address) const override;

 private:
  std::vector<uint64_t> FNoReturn;
};

}  // namespace palvetta
