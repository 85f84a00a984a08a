#pragma once
// A PE file's image in memory for the analysis tests: it reads like the loaded module
// and answers the analysis's questions from the file's headers and .pdata.

#include <string>
#include <vector>

#include "crash/disasm/function_analysis.h"
#include "pe_file.h"

namespace palvetta::testing {

class TPeImage final : public IMemoryReader, public IModuleFacts {
 public:
  explicit TPeImage(const TPeFile& pe) : FPe(pe), FImage(pe.Image()) {}

  uint64_t Base() const { return FPe.ImageBase; }
  bool Read(uint64_t address, void* out, size_t count) const noexcept override {
    return TBufferReader(FPe.ImageBase, FImage).Read(address, out, count);
  }
  bool IsCommitted(uint64_t address) const override {
    return address >= FPe.ImageBase && address < FPe.ImageBase + FImage.size();
  }
  bool AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const override {
    begin = FPe.ImageBase;
    end = FPe.ImageBase + FImage.size();
    return true;
  }
  bool FunctionExtent(uint64_t address, uint64_t& begin, uint64_t& end) const override {
    for (const TPeFunction& function : FPe.Functions) {
      if (address >= FPe.ImageBase + function.Begin && address < FPe.ImageBase + function.End) {
        begin = FPe.ImageBase + function.Begin;
        end = FPe.ImageBase + function.End;
        return true;
      }
    }
    return false;
  }
  bool IsNoReturn(uint64_t) const override { return false; }
  std::string ErrorText(uint32_t code) const override { return "error " + std::to_string(code); }
  bool HasPublicName(uint64_t) const override { return false; }

 private:
  const TPeFile& FPe;
  std::vector<uint8_t> FImage;
};

}  // namespace palvetta::testing
