#pragma once
// A small x64 program laid out in a buffer, with its symbol map, for the stack tracer's
// steps: functions that call each other, a stale call site, bytes that only look like a
// call, a raising routine and the C++ run time's throw.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "crash/disasm/function_analysis.h"
#include "crash/disasm/memory_reader.h"
#include "crash/stack/module_cache.h"
#include "crash/stack/stack_tracer.h"

namespace palvetta {

class TSyntheticProgram final : public IModuleSource, public IModuleFacts {
 public:
  static constexpr uint64_t kBase = 0x140000000;
  static constexpr uint64_t kCode = kBase + 0x1000;
  static constexpr uint64_t kCodeSize = 0x1000;
  // The functions, each starting at kCode + its offset.
  static constexpr uint64_t kMain = kCode + 0x000;     // calls Work
  static constexpr uint64_t kWork = kCode + 0x100;     // calls Inner
  static constexpr uint64_t kDecoy = kCode + 0x200;    // calls Inner too; its frame is stale
  static constexpr uint64_t kInner = kCode + 0x300;    // calls Leaf
  static constexpr uint64_t kLeaf = kCode + 0x400;     // calls nothing
  static constexpr uint64_t kRaiser = kCode + 0x500;   // calls RaiseError
  static constexpr uint64_t kRaise = kCode + 0x600;    // "RaiseError"
  static constexpr uint64_t kThrow = kCode + 0x680;    // "__cxa_throw", calls Leaf
  static constexpr uint64_t kLooksLikeCall = kCode + 0x700;  // an E8 byte inside an immediate
  static constexpr uint64_t kRecurse = kCode + 0x800;  // calls itself
  static constexpr uint64_t kDispatch = kCode + 0x900;  // calls Work, then Indirect
  static constexpr uint64_t kIndirect = kCode + 0xA00;  // calls through a register
  static constexpr uint64_t kStarter = kCode + 0xB00;   // calls Dispatch

  // Return addresses: just behind each function's call.
  static constexpr uint64_t kMainReturn = kMain + 5;
  static constexpr uint64_t kWorkReturn = kWork + 5;
  static constexpr uint64_t kDecoyReturn = kDecoy + 5;
  static constexpr uint64_t kInnerReturn = kInner + 5;
  static constexpr uint64_t kRaiserReturn = kRaiser + 5;
  static constexpr uint64_t kThrowReturn = kThrow + 5;
  static constexpr uint64_t kFakeReturn = kLooksLikeCall + 6;
  static constexpr uint64_t kRecurseReturn = kRecurse + 5;
  static constexpr uint64_t kLeafInside = kLeaf + 2;
  static constexpr uint64_t kDispatchWorkReturn = kDispatch + 5;
  static constexpr uint64_t kDispatchIndirectReturn = kDispatch + 10;
  static constexpr uint64_t kIndirectReturn = kIndirect + 2;
  static constexpr uint64_t kStarterReturn = kStarter + 5;

  TSyntheticProgram();

  const IMemoryReader& Reader() const { return FReader; }
  TAnalysisSources Sources() const { return {&FReader, this, this}; }
  // A later load of another build at the same base.
  void Replace() { ++FStamp; }
  // Describing the module fails with an exception (a damaged image).
  void Break() { FBroken = true; }
  void SetMinDebugInfo(std::string text);

  bool AllocationBase(uint64_t address, uint64_t& base) const override;
  bool DescribeModule(uint64_t base, TCachedModule& module) const override;
  std::shared_ptr<const TMapFile> MapOf(const TCachedModule&) const override { return FMap; }
  uint64_t FunctionStartBelow(const TCachedModule&, uint64_t) const override { return 0; }
  std::string ExportName(const TCachedModule&, uint64_t) const override { return {}; }

  bool IsCommitted(uint64_t address) const override;
  bool AllowedRange(uint64_t address, uint64_t& begin, uint64_t& end) const override;
  bool FunctionExtent(uint64_t, uint64_t&, uint64_t&) const override { return false; }
  bool IsNoReturn(uint64_t) const override { return false; }
  std::string ErrorText(uint32_t code) const override { return "error " + std::to_string(code); }
  bool HasPublicName(uint64_t address) const override;

 private:
  std::vector<uint8_t> FImage;
  TBufferReader FReader;
  std::shared_ptr<TMapFile> FMap;
  uint64_t FStamp = 1;
  bool FBroken = false;
};

// A captured candidate: a return address found on the stack, outermost first.
TStackCandidate Slot(uint64_t returnAddress, bool anchor = false);

}  // namespace palvetta
