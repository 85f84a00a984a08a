// Feeds arbitrary bytes to the decoder and the listing. The first byte chooses the mode
// (bit 0: 64-bit); the rest is code loaded at an address near the top of the mode's
// range, so that targets wrap. The bytes sit in a buffer of their exact size: reading
// past it is an AddressSanitizer error. Each instruction must have a length of 1 to 15
// bytes within the buffer, and decoding must give the same result twice. Then the bytes
// are analysed and listed as a function from their first byte.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "crash/disasm/function_listing.h"
#include "crash/disasm/instruction_text.h"

using namespace palvetta;

namespace {

class TFuzzModule final : public IModuleFacts {
 public:
  TFuzzModule(uint64_t base, size_t size) : FBase(base), FSize(size) {}
  bool IsCommitted(uint64_t address) const override { return address - FBase < FSize; }
  bool AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const override {
    begin = FBase;
    end = FBase + FSize;
    return true;
  }
  bool FunctionExtent(uint64_t, uint64_t&, uint64_t&) const override { return false; }
  bool IsNoReturn(uint64_t) const override { return false; }
  std::string ErrorText(uint32_t) const override { return "error"; }
  bool HasPublicName(uint64_t) const override { return false; }

 private:
  uint64_t FBase;
  size_t FSize;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const TCpuMode mode = (data[0] & 1) ? TCpuMode::cm64 : TCpuMode::cm32;
  const size_t length = size - 1;
  std::unique_ptr<uint8_t[]> code(new uint8_t[length]);
  if (length) std::memcpy(code.get(), data + 1, length);
  const uint64_t base = mode == TCpuMode::cm64 ? 0xFFFFFFFFFFFFF000ull : 0xFFFFF000ull;
  const TBufferReader reader(base, {code.get(), length});
  TRegisterState registers;
  for (uint64_t offset = 0; offset < length;) {
    const TDecodedInstr first = DecodeDetailed(mode, base + offset, reader, &registers);
    const TDecodedInstr again = DecodeDetailed(mode, base + offset, reader, nullptr);
    if (first.Length < 1 || first.Length > kMaxInstructionLength) std::abort();
    if (first.Info.IsValid && offset + static_cast<uint64_t>(first.Length) > length) std::abort();
    if (first.Info.Next != first.Info.This + static_cast<uint64_t>(first.Length)) std::abort();
    if (again.Length != first.Length || again.Info.IsValid != first.Info.IsValid) std::abort();
    const std::string line = InstructionLine(first, reader, nullptr);
    if (line.empty()) std::abort();
    offset += static_cast<uint64_t>(first.Length);
  }
  if (length == 0) return 0;
  const TFuzzModule module(base, length);
  TListingOptions options;
  options.Highlight = base + length / 2;
  options.LineLimit = static_cast<int>(data[0] >> 1);
  options.Routines.HandleOnException = base + length - 1;
  std::string text;
  TFunctionInfo info;
  if (DisassembleFunctionText(mode, base, reader, module, options, text, info) && text.empty()) std::abort();
  return 0;
}
