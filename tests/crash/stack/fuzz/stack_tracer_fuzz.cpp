// Feeds the stack tracer's analysis a made-up module and stack: damaged stacks and code
// that is no code must give a text, never a fault. Layout of the input: one byte with the
// request's flags (bit 0 raw, 1 no chain selection, 2 exception, 3 exact address, 4 C++
// termination, 5 prepared stack, 6 first address), one byte with the number of stack
// values, two bytes per value (an offset into the code; bit 15 marks an anchor), two bytes
// for the current address's offset; the rest is the module's code, which its map divides
// into functions of 64 bytes with a line every 8.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "crash/stack/stack_tracer.h"

using namespace palvetta;

namespace {

constexpr uint64_t kBase = 0x7ff600000000;
constexpr uint64_t kCode = kBase + 0x1000;

class TFuzzProgram final : public IModuleSource, public IModuleFacts {
 public:
  TFuzzProgram(const uint8_t* code, size_t size) : FReader(kCode, {code, size}), FSize(size) {
    FMap = std::make_shared<TMapFile>();
    FMap->AddSegment(true, false, false, false, "fuzz.cpp", static_cast<uint32_t>(size), kCode);
    FMap->SortSegments();
    for (size_t at = 0; at < size; at += 64) FMap->AddPublic(true, "f" + std::to_string(at), kCode + at);
    FMap->SortPublics();
    for (size_t at = 0; at < size; at += 8) FMap->AddLine(static_cast<int32_t>(at / 8 + 1), kCode + at, false);
    FMap->SortLines();
    FMap->SetMinDebugInfo("fuzz");
    FMap->SetValid(true);
  }
  const IMemoryReader& Reader() const { return FReader; }

  bool AllocationBase(uint64_t address, uint64_t& base) const override {
    base = kBase;
    return IsCommitted(address);
  }
  bool DescribeModule(uint64_t base, TCachedModule& module) const override {
    if (base != kBase) return false;
    module.handle = kBase;
    module.name = "fuzz.exe";
    module.codeBegin = kCode;
    module.codeEnd = kCode + FSize;
    module.dataBegin = module.dataEnd = kCode + FSize;
    module.stamp = 1;
    return true;
  }
  std::shared_ptr<const TMapFile> MapOf(const TCachedModule&) const override { return FMap; }
  uint64_t FunctionStartBelow(const TCachedModule&, uint64_t address) const override {
    return IsCommitted(address) ? address & ~uint64_t{15} : 0;
  }
  std::string ExportName(const TCachedModule&, uint64_t) const override { return {}; }

  bool IsCommitted(uint64_t address) const override { return address - kCode < FSize; }
  bool AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const override {
    begin = kCode;
    end = kCode + FSize;
    return true;
  }
  bool FunctionExtent(uint64_t, uint64_t&, uint64_t&) const override { return false; }
  bool IsNoReturn(uint64_t) const override { return false; }
  std::string ErrorText(uint32_t) const override { return "error"; }
  bool HasPublicName(uint64_t address) const override { return IsCommitted(address) && (address - kCode) % 64 == 0; }

 private:
  TBufferReader FReader;
  size_t FSize;
  std::shared_ptr<TMapFile> FMap;
};

uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint8_t flags = data[0];
  const size_t values = data[1] % 64;
  const size_t header = 2 + values * 2 + 2;
  if (size <= header) return 0;
  const size_t codeSize = size - header;
  // The code in a buffer of its exact size: reading past it is an AddressSanitizer error.
  const std::unique_ptr<uint8_t[]> code(new uint8_t[codeSize]);
  std::memcpy(code.get(), data + header, codeSize);
  const TFuzzProgram program(code.get(), codeSize);

  std::vector<TStackCandidate> collected;
  for (size_t i = 0; i < values; ++i) {
    const uint16_t word = Word(data + 2 + i * 2);
    TStackCandidate candidate;
    candidate.Slot = 1;
    candidate.AfterInstr = kCode + (word & 0x7fff) % (codeSize + 8);
    candidate.Anchor = (word & 0x8000) != 0;
    collected.push_back(candidate);
  }
  TTraceRequest request;
  request.Collected = collected;
  request.CurrentAddress = kCode + Word(data + 2 + values * 2) % (codeSize + 8);
  request.RawMode = flags & 1;
  request.NoChainSelection = flags & 2;
  request.ExceptionFlag = flags & 4;
  request.ExactAddress = flags & 8;
  request.CxxTermination = flags & 16;
  request.FromPreparedStack = flags & 32;
  if (flags & 64) request.FirstAddress = kCode;
  request.Lines = {true, true, true};

  TStackTracer tracer;
  const TTraceResult result = tracer.Trace(request, {&program.Reader(), &program, &program});
  // A trace names only frames it was given or the current address.
  if (result.Stack.Items.size() > values + 2) __builtin_trap();
  return 0;
}
