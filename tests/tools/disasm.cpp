// disasm MODE FILE [BASE]: decodes the raw bytes of FILE from its first byte as if loaded
// at BASE (hexadecimal, default 0), in 32-bit or 64-bit MODE, one instruction after the
// other (an invalid one counts as one byte). One line per instruction: address, length,
// valid (1 or 0), kind (call, jmp or -), target (or -), two blanks, the listing text.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "crash/disasm/instruction_text.h"

using namespace palvetta;

namespace {

int Usage() {
  std::fputs("usage: disasm 32|64 FILE [BASE]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return Usage();
  const std::string modeText = argv[1];
  if (modeText != "32" && modeText != "64") return Usage();
  const TCpuMode mode = modeText == "64" ? TCpuMode::cm64 : TCpuMode::cm32;
  uint64_t base = 0;
  if (argc == 4) {
    char* end = nullptr;
    base = std::strtoull(argv[3], &end, 16);
    if (*argv[3] == '\0' || *end != '\0') return Usage();
  }
  std::ifstream file(argv[2], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "disasm: cannot read %s\n", argv[2]);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const TBufferReader reader(base, bytes);
  std::string out;
  for (uint64_t offset = 0; offset < bytes.size();) {
    const TDecodedInstr instr = DecodeDetailed(mode, base + offset, reader, nullptr);
    const TInstrInfo& info = instr.Info;
    char head[96];
    const bool known = info.Target != 0 || info.RelTarget;
    std::snprintf(head, sizeof head, "%llx %d %d %s ", static_cast<unsigned long long>(info.This), instr.Length,
                  info.IsValid ? 1 : 0, info.Call ? "call" : info.Jmp ? "jmp" : "-");
    out += head;
    if (known) {
      std::snprintf(head, sizeof head, "%llx", static_cast<unsigned long long>(info.Target));
      out += head;
    } else {
      out += "-";
    }
    out += "  " + InstructionLine(instr, reader, nullptr) + "\n";
    offset += static_cast<uint64_t>(instr.Length);
    if (out.size() > 1 << 16) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
