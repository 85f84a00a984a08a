#pragma once
// Finds where a function's code lies and which calls it makes, by following its flow
// from the entry: code areas (each with the register state known at its start), calls
// and jumps to other code, and branches whose target stays unknown.

#include <cstdint>
#include <string>
#include <vector>

#include "crash/disasm/instr_info.h"
#include "crash/disasm/memory_reader.h"

namespace palvetta {

// What the analysis needs to know about the module that holds the code.
class IModuleFacts {
 public:
  virtual ~IModuleFacts() = default;
  // Whether address lies in committed memory.
  virtual bool IsCommitted(uint64_t address) const = 0;
  // The range branches may be followed in: the module's code and data ranges joined,
  // [begin, end); without a module the memory region itself. False: none known.
  virtual bool AllowedRange(uint64_t address, uint64_t& begin, uint64_t& end) const = 0;
  // The function-table (.pdata) entry that holds address, [begin, end); false when the
  // module has none for it (32-bit code never has).
  virtual bool FunctionExtent(uint64_t address, uint64_t& begin, uint64_t& end) const = 0;
  // Whether a call of target does not come back (the run time's halt, throwing).
  virtual bool IsNoReturn(uint64_t target) const = 0;
  // The system's text of an error code.
  virtual std::string ErrorText(uint32_t code) const = 0;
  // Whether address has a public (export) name: a call of a nameless one-instruction
  // jump thunk to a named function is recorded with the named target.
  virtual bool HasPublicName(uint64_t address) const = 0;
};

struct TCodeArea {
  uint64_t AreaBegin = 0;
  uint64_t AreaEnd = 0;  // its last byte; 0 while the area is still open
  bool CaseBlock = false;
  bool OnExceptBlock = false;
  uint64_t CalledFrom = 0;  // the branch that leads here
  TRegisterState Registers;
};

struct TFarCall {
  bool Call = false;  // else a jump
  uint64_t CodeAddr1 = 0;
  uint64_t CodeAddr2 = 0;
  uint64_t Target = 0;
  bool RelTarget = false;
  uint64_t PTarget = 0;
  uint64_t PPTarget = 0;
};

struct TUnknownTarget {
  bool Call = false;
  uint64_t CodeAddr1 = 0;
  uint64_t CodeAddr2 = 0;
};

struct TFunctionCopyInfo {
  bool IsValid = false;
  int BufferLen = 0;
  uint64_t LastErrorAddr = 0;
  uint32_t LastErrorNo = 0;
  std::string LastErrorStr;
};

struct TFunctionInfo {
  bool IsValid = false;
  uint64_t EntryPoint = 0;
  uint64_t CodeBegin = 0;
  int CodeLen = 0;
  uint64_t LastErrorAddr = 0;
  uint32_t LastErrorNo = 0;
  std::string LastErrorStr;
  std::vector<TCodeArea> CodeAreas;  // in address order once the analysis is done
  std::vector<TFarCall> FarCalls;
  std::vector<TUnknownTarget> UnknownTargets;
  bool Interceptable = false;
  TFunctionCopyInfo Copy;
};

// The run time's exception-support routines a 32-bit function's flow continues behind
// (0: not in this program). 64-bit code has no counterpart: the addresses are not used
// there.
struct TRuntimeRoutines {
  uint64_t HandleAnyException = 0;
  uint64_t HandleOnException = 0;
  uint64_t HandleAutoException = 0;
  uint64_t HandleFinally = 0;
  uint64_t Halt0 = 0;
  uint64_t CxxExceptionBlock = 0;  // the C++ run time's exception-block routine
};

constexpr uint32_t kInvalidCodeError = 0x770001;
constexpr uint32_t kInvalidParameterError = 87;
// Code after an indirect jump is tried only this close to the function's start.
constexpr uint64_t kGapTryLimit = 1024;

TFunctionInfo AnalyzeFunction(TCpuMode mode, uint64_t entry, const IMemoryReader& reader, const IModuleFacts& facts,
                              const TRuntimeRoutines& routines = {});

}  // namespace palvetta
