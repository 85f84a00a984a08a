// The decoder against Capstone, instruction by instruction: the same length, validity,
// call or jump kind and relative target, over code compiled here (32-bit and 64-bit at
// several optimisation and instruction-set levels), the code sections of Wine's 64-bit
// DLLs and random bytes. Known differences are listed in kKnownDifferences, each with
// its reason; any other fails the test.
#include <capstone/capstone.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "crash/disasm/decoder.h"
#include "crash/disasm/instruction_text.h"
#include "pe_file.h"

namespace palvetta {
namespace {

using testing::TPeFile;

struct TTheirs {
  bool Valid = false;
  int Length = 0;
  bool Call = false;
  bool Jmp = false;
  bool HasTarget = false;
  uint64_t Target = 0;
  std::string Text;
};

struct TCase {
  TCpuMode Mode;
  const uint8_t* Bytes;
  size_t Available;
  const TDecodedInstr& Ours;
  const TTheirs& Theirs;

  uint8_t Byte(int i) const { return i < static_cast<int>(Available) ? Bytes[i] : 0; }
  // The first byte after the legacy and REX prefixes.
  int OpcodeIndex() const {
    int i = 0;
    while (i < static_cast<int>(Available)) {
      const uint8_t b = Bytes[i];
      const bool legacy = b == 0x66 || b == 0x67 || b == 0xF0 || b == 0xF2 || b == 0xF3 || b == 0x26 ||
                          b == 0x2E || b == 0x36 || b == 0x3E || b == 0x64 || b == 0x65;
      const bool rex = Mode == TCpuMode::cm64 && (b & 0xF0) == 0x40;
      if (!legacy && !rex) break;
      ++i;
    }
    return i;
  }
  bool HasPrefix(uint8_t prefix) const {
    for (int i = 0; i < OpcodeIndex(); ++i) {
      if (Bytes[i] == prefix) return true;
    }
    return false;
  }
  uint8_t Opcode() const { return Byte(OpcodeIndex()); }
  uint8_t Second() const { return Byte(OpcodeIndex() + 1); }
  uint8_t Third() const { return Byte(OpcodeIndex() + 2); }
};

struct TKnownDifference {
  const char* Reason;
  std::function<bool(const TCase&)> Applies;
};

// Differences of meaning or of the other disassembler's version, not faults of ours.
const TKnownDifference kKnownDifferences[] = {
    {"a call or jump to the next instruction is no branch for us (it fetches its own address)",
     [](const TCase& c) {
       return c.Ours.Info.IsValid && c.Theirs.Valid && c.Ours.Length == c.Theirs.Length &&
              !c.Ours.Info.Call && !c.Ours.Info.Jmp && c.Theirs.HasTarget && c.Theirs.Target == c.Ours.Info.Next;
     }},
    {"Capstone 4 puts loop, loope and loopne in no jump group",
     [](const TCase& c) {
       return c.Ours.Info.IsValid && c.Theirs.Valid && c.Ours.Length == c.Theirs.Length && c.Ours.Info.Jmp &&
              !c.Theirs.Jmp && c.Opcode() >= 0xE0 && c.Opcode() <= 0xE2 && c.Theirs.HasTarget == false;
     }},
    {"VEX and EVEX instructions are decoded for their length only, so undefined ones count as valid",
     [](const TCase& c) {
       return c.Ours.Info.IsValid && !c.Theirs.Valid && (c.Ours.Map == omVex || c.Ours.Map == omEvex);
     }},
    {"with a 66 prefix a near branch's target is cut to 16 bits in 32-bit mode (the processor's rule); Capstone 4 "
     "keeps 32 bits",
     [](const TCase& c) {
       return c.Mode == TCpuMode::cm32 && c.HasPrefix(0x66) && c.Ours.Info.IsValid && c.Theirs.Valid &&
              c.Ours.Length == c.Theirs.Length && (c.Ours.Info.Target & 0xFFFF) == (c.Theirs.Target & 0xFFFF);
     }},
    {"in 64-bit mode a 66 prefix leaves a near branch's operand 32-bit, as on Intel processors; Capstone 4 follows AMD "
     "(16 bits)",
     [](const TCase& c) {
       const bool nearBranch = c.Opcode() == 0xE8 || c.Opcode() == 0xE9 || (c.Opcode() == 0x0F && (c.Second() & 0xF0) == 0x80);
       return c.Mode == TCpuMode::cm64 && c.HasPrefix(0x66) && nearBranch && c.Ours.Info.IsValid && c.Theirs.Valid;
     }},
    {"Capstone 4 accepts a lock prefix before a register destination, which the processor rejects",
     [](const TCase& c) {
       const uint8_t op = c.Opcode();
       const bool registerDestination = (op < 0x40 && (op & 7) >= 2 && (op & 7) <= 5) || (op >= 0x90 && op <= 0x97) ||
                                        (c.Byte(c.OpcodeIndex() + 1) & 0xC0) == 0xC0 || op == 0x0F;
       return c.HasPrefix(0xF0) && !c.Ours.Info.IsValid && c.Theirs.Valid && registerDestination;
     }},
    {"Capstone 4 reads 0F B9 (ud1) and 0F FF (ud0) without the ModR/M byte the processor reads (and not after "
     "repeat prefixes)",
     [](const TCase& c) {
       return c.Opcode() == 0x0F && (c.Second() == 0xB9 || c.Second() == 0xFF) && c.Ours.Info.IsValid;
     }},
    {"Capstone 4 drops a lock prefix that a repeat prefix follows",
     [](const TCase& c) {
       bool lock = false;
       for (int i = 0; i < c.OpcodeIndex(); ++i) {
         lock |= c.Bytes[i] == 0xF0;
         if (lock && (c.Bytes[i] == 0xF2 || c.Bytes[i] == 0xF3)) return !c.Ours.Info.IsValid && c.Theirs.Valid;
       }
       return false;
     }},
    {"Capstone 4 rejects hint NOPs (0F 19..0F 1F) that the processor runs as NOP",
     [](const TCase& c) {
       return c.Opcode() == 0x0F && c.Second() >= 0x19 && c.Second() <= 0x1F && c.Ours.Info.IsValid && !c.Theirs.Valid;
     }},
    {"Capstone 4 cuts a branch's operand or target to 16 bits after a 67 prefix, which does not change branches",
     [](const TCase& c) {
       return c.HasPrefix(0x67) && c.Ours.Info.RelTarget && c.Theirs.Valid &&
              (c.Ours.Length != c.Theirs.Length || (c.Ours.Info.Target & 0xFFFF) == (c.Theirs.Target & 0xFFFF));
     }},
    {"Capstone 4 drops a 66 prefix when a repeat prefix follows it (an immediate then stays 32-bit)",
     [](const TCase& c) {
       bool operandSize = false;
       for (int i = 0; i < c.OpcodeIndex(); ++i) {
         operandSize |= c.Bytes[i] == 0x66;
         if (operandSize && (c.Bytes[i] == 0xF2 || c.Bytes[i] == 0xF3)) {
           return c.Ours.Info.IsValid && c.Theirs.Valid && c.Ours.Length + 2 == c.Theirs.Length;
         }
       }
       return false;
     }},
    {"Capstone 4 reads one byte more after an EVEX register form with embedded rounding",
     [](const TCase& c) {
       return c.Ours.Map == omEvex && c.Ours.Mod == 3 && (c.Byte(c.OpcodeIndex() + 3) & 0x10) && c.Theirs.Valid &&
              c.Theirs.Length == c.Ours.Length + 1;
     }},
    {"Capstone 4 ignores an F2 or F3 prefix before the MMX form of a 0F 38 instruction",
     [](const TCase& c) {
       return c.Opcode() == 0x0F && c.Second() == 0x38 && c.Third() <= 0x1E && (c.HasPrefix(0xF2) || c.HasPrefix(0xF3)) &&
              !c.Ours.Info.IsValid && c.Theirs.Valid;
     }},
    {"Capstone 4 takes 66, F2 or F3 as an SSE instruction's prefix only right before the opcode (or REX)",
     [](const TCase& c) {
       int last = c.OpcodeIndex() - 1;
       if (last >= 0 && c.Mode == TCpuMode::cm64 && (c.Bytes[last] & 0xF0) == 0x40) --last;
       const bool mandatoryEarlier = c.HasPrefix(0x66) || c.HasPrefix(0xF2) || c.HasPrefix(0xF3);
       return c.Opcode() == 0x0F && last >= 0 && mandatoryEarlier && c.Bytes[last] != 0x66 && c.Bytes[last] != 0xF2 &&
              c.Bytes[last] != 0xF3 && c.Ours.Info.IsValid && !c.Theirs.Valid;
     }},
    {"VIA PadLock instructions (0F A6, 0F A7) are not decoded",
     [](const TCase& c) {
       return c.Opcode() == 0x0F && (c.Second() == 0xA6 || c.Second() == 0xA7) && !c.Ours.Info.IsValid;
     }},
    {"Capstone 4 accepts a 66, F2 or F3 prefix before VEX, EVEX or XOP, which the processor rejects",
     [](const TCase& c) {
       const uint8_t op = c.Opcode();
       return !c.Ours.Info.IsValid && c.Theirs.Valid && (op == 0xC4 || op == 0xC5 || op == 0x8F || op == 0x62) &&
              (c.HasPrefix(0x66) || c.HasPrefix(0xF2) || c.HasPrefix(0xF3));
     }},
    {"Capstone 4 reads ret imm16 after REX.W with a 4-byte immediate",
     [](const TCase& c) {
       const int rex = c.OpcodeIndex() - 1;
       return c.Mode == TCpuMode::cm64 && (c.Opcode() == 0xC2 || c.Opcode() == 0xCA) && rex >= 0 &&
              (c.Bytes[rex] & 0xF8) == 0x48;
     }},
    {"Capstone 4 rejects 0F 0D /0 (prefetch), which processors run",
     [](const TCase& c) {
       return c.Opcode() == 0x0F && c.Second() == 0x0D && ((c.Third() >> 3) & 7) == 0 && c.Ours.Info.IsValid &&
              !c.Theirs.Valid;
     }},
    {"Capstone 4 rejects a repeat prefix before a direct-address move (A0..A3), which the processor ignores",
     [](const TCase& c) {
       return c.Opcode() >= 0xA0 && c.Opcode() <= 0xA3 && (c.HasPrefix(0xF2) || c.HasPrefix(0xF3)) &&
              c.Ours.Info.IsValid && !c.Theirs.Valid;
     }},
    {"transactional memory (xbegin, xabort) is not decoded",
     [](const TCase& c) {
       return (c.Opcode() == 0xC6 || c.Opcode() == 0xC7) && c.Second() == 0xF8 && !c.Ours.Info.IsValid && c.Theirs.Valid;
     }},
};

class TCapstone {
 public:
  explicit TCapstone(TCpuMode mode) {
    cs_open(CS_ARCH_X86, mode == TCpuMode::cm64 ? CS_MODE_64 : CS_MODE_32, &FHandle);
    cs_option(FHandle, CS_OPT_DETAIL, CS_OPT_ON);
  }
  ~TCapstone() { cs_close(&FHandle); }

  TTheirs Decode(const uint8_t* bytes, size_t size, uint64_t address) const {
    TTheirs theirs;
    cs_insn* insn = nullptr;
    if (cs_disasm(FHandle, bytes, size, address, 1, &insn) != 1) return theirs;
    theirs.Valid = true;
    theirs.Length = insn->size;
    theirs.Text = std::string(insn->mnemonic) + " " + insn->op_str;
    const cs_detail& detail = *insn->detail;
    for (int i = 0; i < detail.groups_count; ++i) {
      theirs.Call |= detail.groups[i] == CS_GRP_CALL;
      theirs.Jmp |= detail.groups[i] == CS_GRP_JUMP;
    }
    const bool relative = [&] {
      for (int i = 0; i < detail.groups_count; ++i) {
        if (detail.groups[i] == CS_GRP_BRANCH_RELATIVE) return true;
      }
      return false;
    }();
    if ((theirs.Call || theirs.Jmp) && relative && detail.x86.op_count == 1 && detail.x86.operands[0].type == X86_OP_IMM) {
      theirs.HasTarget = true;
      theirs.Target = static_cast<uint64_t>(detail.x86.operands[0].imm);
    }
    cs_free(insn, 1);
    return theirs;
  }

 private:
  csh FHandle = 0;
};

std::string HexBytes(const uint8_t* bytes, size_t count) {
  std::string text;
  char hex[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(hex, sizeof hex, "%02x ", bytes[i]);
    text += hex;
  }
  return text;
}

struct TComparison {
  size_t Instructions = 0;
  std::map<std::string, size_t> Known;
  std::vector<std::string> Unexplained;
  size_t UnexplainedCount = 0;
};

bool Same(const TDecodedInstr& ours, const TTheirs& theirs) {
  if (ours.Info.IsValid != theirs.Valid) return false;
  if (!theirs.Valid) return true;
  if (ours.Length != theirs.Length) return false;
  if (ours.Info.Call != theirs.Call || ours.Info.Jmp != (theirs.Jmp && !theirs.Call)) return false;
  if (ours.Info.RelTarget != theirs.HasTarget) return false;
  return !theirs.HasTarget || ours.Info.Target == theirs.Target;
}

// Walks the bytes one instruction after the other (by our length; one byte when invalid).
void Compare(TCpuMode mode, const std::vector<uint8_t>& bytes, uint64_t base, TComparison& result) {
  const TCapstone capstone(mode);
  const TBufferReader reader(base, bytes);
  for (size_t offset = 0; offset < bytes.size();) {
    const uint64_t address = base + offset;
    const TDecodedInstr ours = DecodeDetailed(mode, address, reader, nullptr);
    const size_t available = std::min<size_t>(kMaxInstructionLength, bytes.size() - offset);
    const TTheirs theirs = capstone.Decode(bytes.data() + offset, available, address);
    ++result.Instructions;
    if (!Same(ours, theirs)) {
      const TCase c{mode, bytes.data() + offset, available, ours, theirs};
      const TKnownDifference* known = nullptr;
      for (const TKnownDifference& difference : kKnownDifferences) {
        if (difference.Applies(c)) {
          known = &difference;
          break;
        }
      }
      if (known) {
        ++result.Known[known->Reason];
      } else {
        ++result.UnexplainedCount;
        if (result.Unexplained.size() < 40) {
          char head[160];
          std::snprintf(head, sizeof head, "%s at %llx: ours %d/%d%s%s target %llx; theirs %d/%d%s%s target %llx  ",
                        mode == TCpuMode::cm64 ? "64" : "32", static_cast<unsigned long long>(address),
                        ours.Info.IsValid, ours.Length, ours.Info.Call ? " call" : "", ours.Info.Jmp ? " jmp" : "",
                        static_cast<unsigned long long>(ours.Info.Target), theirs.Valid, theirs.Length,
                        theirs.Call ? " call" : "", theirs.Jmp ? " jmp" : "", static_cast<unsigned long long>(theirs.Target));
          result.Unexplained.push_back(head + HexBytes(bytes.data() + offset, available) + " | " +
                                       InstructionLine(ours, reader, nullptr) + " | " + theirs.Text);
        }
      }
    }
    offset += static_cast<size_t>(ours.Length);
  }
}

void Report(const std::string& corpus, const TComparison& result) {
  std::printf("%s: %zu instructions", corpus.c_str(), result.Instructions);
  for (const auto& [reason, count] : result.Known) std::printf("; %zu known: %s", count, reason.c_str());
  std::printf("\n");
  for (const std::string& line : result.Unexplained) std::printf("  %s\n", line.c_str());
}

void ExpectSameAsCapstone(const std::filesystem::path& file) {
  TPeFile pe;
  ASSERT_TRUE(testing::ReadPeFile(file, pe)) << file;
  TComparison result;
  for (const auto& section : pe.Sections) {
    if (section.IsCode()) {
      Compare(pe.Is64 ? TCpuMode::cm64 : TCpuMode::cm32, section.Data, pe.ImageBase + section.VirtualAddress, result);
    }
  }
  Report(file.filename().string(), result);
  EXPECT_GT(result.Instructions, 1000u) << file;
  EXPECT_EQ(result.UnexplainedCount, 0u) << file;
}

TEST(CapstoneOracle, CompiledCorpora) {
  const std::filesystem::path folder = PALVETTA_DISASM_CORPUS_DIR;
  for (const char* name : {"corpus_i686_O2.exe", "corpus_x86_64_O0.exe", "corpus_x86_64_O2.exe", "corpus_x86_64_Os.exe",
                           "corpus_x86_64_avx2.exe", "corpus_x86_64_avx512.exe"}) {
    SCOPED_TRACE(name);
    ExpectSameAsCapstone(folder / name);
  }
}

// One case per DLL, so that the test program's parts share them out.
class CapstoneOracleWineDll : public ::testing::TestWithParam<const char*> {};

TEST_P(CapstoneOracleWineDll, SameAsCapstone) {
  const std::filesystem::path file = std::filesystem::path(PALVETTA_WINE_DLL_DIR) / GetParam();
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no Wine DLL " << file;
  ExpectSameAsCapstone(file);
}

INSTANTIATE_TEST_SUITE_P(WineDlls, CapstoneOracleWineDll,
                         ::testing::Values("ntdll.dll", "kernelbase.dll", "kernel32.dll", "ucrtbase.dll", "msvcrt.dll",
                                         "user32.dll", "gdi32.dll", "comctl32.dll", "dbghelp.dll", "ole32.dll"));

// PALVETTA_DISASM_SEED=N runs another (and a longer) random stream.
TEST(CapstoneOracle, RandomBytes) {
  const char* seed = std::getenv("PALVETTA_DISASM_SEED");
  std::mt19937 random(seed ? static_cast<unsigned>(std::atoi(seed)) : 20261211u);
  for (const TCpuMode mode : {TCpuMode::cm32, TCpuMode::cm64}) {
    std::vector<uint8_t> bytes(seed ? 1 << 21 : 1 << 18);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    TComparison result;
    Compare(mode, bytes, 0x10000000, result);
    Report(mode == TCpuMode::cm64 ? "random 64" : "random 32", result);
    EXPECT_EQ(result.UnexplainedCount, 0u);
  }
}

}  // namespace
}  // namespace palvetta
