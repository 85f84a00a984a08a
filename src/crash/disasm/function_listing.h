#pragma once
// The listing of a whole function for the bug report: its code areas in address order,
// labels of branch targets, case tables as data, line numbers, the highlighted (crash)
// address marked with ">", and the line limit around it.

#include <cstdint>
#include <string>

#include "crash/disasm/function_analysis.h"
#include "crash/disasm/instruction_text.h"

namespace palvetta {

// The line hook: the source line of an address (0 when unknown).
class ILineNumbers {
 public:
  virtual ~ILineNumbers() = default;
  virtual int LineOf(uint64_t address) const = 0;
};

struct TListingOptions {
  uint64_t Highlight = 0;  // the line of this address gets ">"
  bool Format = true;      // labels and separators
  int LineLimit = 0;       // 0: no limit
  const IAddressNames* Names = nullptr;
  const ILineNumbers* Lines = nullptr;
  TRuntimeRoutines Routines;  // for the analysis (32-bit)
};

// The listing (CR LF between lines) and the analysis it came from; false and no text
// when the analysis found no valid function.
bool DisassembleFunctionText(TCpuMode mode, uint64_t entry, const IMemoryReader& reader, const IModuleFacts& facts,
                             const TListingOptions& options, std::string& text, TFunctionInfo& info);

// The hook the report calls; empty until LinkDisassembler() fills it, so that the listing
// comes only with programs that link it.
using TDisassembleHook = bool (*)(TCpuMode, uint64_t, const IMemoryReader&, const IModuleFacts&,
                                  const TListingOptions&, std::string&, TFunctionInfo&);
extern TDisassembleHook DisassembleFunctionHook;
void LinkDisassembler();

}  // namespace palvetta
