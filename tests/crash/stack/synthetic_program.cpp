#include "synthetic_program.h"

#include <stdexcept>

namespace palvetta {
namespace {

constexpr size_t kImageSize = 0x2100;

class TCodeWriter {
 public:
  TCodeWriter(std::vector<uint8_t>& image, uint64_t at) : FImage(image), FAt(at) {}
  TCodeWriter& Call(uint64_t target) {
    Byte(0xE8);
    const auto rel = static_cast<uint32_t>(target - (FAt + 4));
    for (int i = 0; i < 4; ++i) Byte(static_cast<uint8_t>(rel >> (8 * i)));
    return *this;
  }
  TCodeWriter& Bytes(std::initializer_list<uint8_t> bytes) {
    for (const uint8_t b : bytes) Byte(b);
    return *this;
  }
  TCodeWriter& Nops(int count) {
    for (int i = 0; i < count; ++i) Byte(0x90);
    return *this;
  }
  TCodeWriter& Ret() { return Byte(0xC3); }

 private:
  TCodeWriter& Byte(uint8_t b) {
    FImage[static_cast<size_t>(FAt++ - TSyntheticProgram::kBase)] = b;
    return *this;
  }
  std::vector<uint8_t>& FImage;
  uint64_t FAt;
};

using P = TSyntheticProgram;

struct TFunctionRow {
  uint64_t Address;
  const char* Name;
  int FirstLine;
};
constexpr TFunctionRow kFunctions[] = {
    {P::kMain, "Main()", 10},      {P::kWork, "Work()", 20},         {P::kDecoy, "Decoy()", 30},
    {P::kInner, "Inner()", 40},    {P::kLeaf, "Leaf()", 50},         {P::kRaiser, "Raiser()", 60},
    {P::kRaise, "RaiseError", 70}, {P::kThrow, "__cxa_throw", 80},   {P::kLooksLikeCall, "LooksLikeCall()", 90},
    {P::kRecurse, "Recurse(int)", 100}, {P::kDispatch, "Dispatch()", 110}, {P::kIndirect, "Indirect()", 120},
    {P::kStarter, "Starter()", 130},
};

}  // namespace

TSyntheticProgram::TSyntheticProgram() : FImage(kImageSize, 0xCC), FReader(kBase, FImage) {
  TCodeWriter(FImage, kMain).Call(kWork).Nops(1).Ret();
  TCodeWriter(FImage, kWork).Call(kInner).Nops(1).Ret();
  TCodeWriter(FImage, kDecoy).Call(kInner).Nops(1).Ret();
  TCodeWriter(FImage, kInner).Call(kLeaf).Nops(1).Ret();
  TCodeWriter(FImage, kLeaf).Nops(4).Ret();
  TCodeWriter(FImage, kRaiser).Call(kRaise).Nops(1).Ret();
  TCodeWriter(FImage, kRaise).Nops(1).Ret();
  TCodeWriter(FImage, kThrow).Call(kLeaf).Nops(1).Ret();
  // mov eax, 0xE8 then nop: the bytes before kFakeReturn read "E8 00 00 00 90".
  TCodeWriter(FImage, kLooksLikeCall).Bytes({0xB8, 0xE8, 0x00, 0x00, 0x00}).Nops(2).Ret();
  TCodeWriter(FImage, kRecurse).Call(kRecurse).Nops(1).Ret();
  TCodeWriter(FImage, kDispatch).Call(kWork).Call(kIndirect).Nops(1).Ret();
  TCodeWriter(FImage, kIndirect).Bytes({0xFF, 0xD0}).Nops(1).Ret();  // call rax
  TCodeWriter(FImage, kStarter).Call(kDispatch).Nops(1).Ret();

  FMap = std::make_shared<TMapFile>();
  FMap->SetRanges(TCodeRanges{kBase, kCode, kCode + kCodeSize, kCode + kCodeSize, kCode + kCodeSize + 0x100});
  FMap->AddSegment(true, false, false, false, "program.cpp", kCodeSize, kCode);
  FMap->SortSegments();
  for (const TFunctionRow& row : kFunctions) FMap->AddPublic(true, row.Name, row.Address);
  FMap->SortPublics();
  for (const TFunctionRow& row : kFunctions) {
    FMap->AddLine(row.FirstLine, row.Address, false);
    FMap->AddLine(row.FirstLine + 2, row.Address + 5, false);  // the line after the first call
  }
  FMap->SortLines();
  FMap->SetValid(true);
}

void TSyntheticProgram::SetMinDebugInfo(std::string text) { FMap->SetMinDebugInfo(std::move(text)); }

bool TSyntheticProgram::AllocationBase(uint64_t address, uint64_t& base) const {
  if (!IsCommitted(address)) return false;
  base = kBase;
  return true;
}

bool TSyntheticProgram::DescribeModule(uint64_t base, TCachedModule& module) const {
  if (FBroken) throw std::runtime_error("damaged image");
  if (base != kBase) return false;
  module.handle = kBase;
  module.name = "program.exe";
  module.codeBegin = kCode;
  module.codeEnd = kCode + kCodeSize;
  module.dataBegin = kCode + kCodeSize;
  module.dataEnd = kCode + kCodeSize + 0x100;
  module.stamp = FStamp;
  return true;
}

bool TSyntheticProgram::IsCommitted(uint64_t address) const {
  return address >= kBase && address < kBase + kImageSize;
}

bool TSyntheticProgram::AllowedRange(uint64_t, uint64_t& begin, uint64_t& end) const {
  begin = kCode;
  end = kCode + kCodeSize;
  return true;
}

bool TSyntheticProgram::HasPublicName(uint64_t address) const {
  const TMfPublic found = FMap->FindPublic(static_cast<uintptr_t>(address));
  return found.IsValid && found.Address == address;
}

TStackCandidate Slot(uint64_t returnAddress, bool anchor) {
  TStackCandidate candidate;
  candidate.Slot = 1;
  candidate.AfterInstr = returnAddress;
  candidate.Anchor = anchor;
  return candidate;
}

}  // namespace palvetta
