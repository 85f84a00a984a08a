// A listing line appended to a buffer that already holds text: the line's columns count
// from its own start, and the line is the one InstructionLine makes.
#include "crash/disasm/instruction_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace palvetta {
namespace {

class TOneName final : public IAddressNames {
 public:
  std::string FunctionName(uint64_t address) const override { return address == 0x401000 ? "Target" : ""; }
  bool InModuleImage(uint64_t) const override { return false; }
};

TEST(InstructionText, AppendedLinesMatchTheirOwnLines) {
  struct TRow {
    const char* What;
    std::vector<uint8_t> Bytes;
    std::string Line;
  };
  const TRow rows[] = {
      {"a named call target, padded to the comment column", {0xE8, 0xFB, 0x0F, 0x00, 0x00},
       "00400000   call    +$ffb ($401000)        ; Target"},
      {"operands padded behind the mnemonic", {0x8B, 0x44, 0x24, 0x30}, "00400000   mov     eax, [esp+$30]"},
      {"no operands, no trailing spaces", {0xC3}, "00400000   ret"},
      {"an invalid opcode", {0x0F, 0x04}, "00400000   db $0f"},
  };
  const TOneName names;
  std::string buffer = "earlier text\r\n";
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.What);
    const TBufferReader reader(0x400000, row.Bytes);
    const TDecodedInstr instr = DecodeDetailed(TCpuMode::cm32, 0x400000, reader, nullptr);
    EXPECT_EQ(InstructionLine(instr, reader, &names), row.Line);
    const std::string before = buffer;
    AppendInstructionLine(instr, reader, &names, buffer);
    EXPECT_EQ(buffer, before + row.Line);
  }
}

}  // namespace
}  // namespace palvetta
